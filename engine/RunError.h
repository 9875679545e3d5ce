#pragma once

#include <string>
#include <system_error>

namespace tess {

// Which file operation of a split run failed.
enum class RunFailure {
    OpenSource,
    ReadSource,
    SourceCutShort,  // another program cut the source short while it was read
    Utf32Source,  // a text this tool does not split; nothing was created
    OpenPiece,
    WritePiece,
    ClosePiece,
    NoFileNumber,
    FolderBusy,  // another run holds the folder of the pieces; nothing was created
    PieceIsSource,  // a piece's path leads to the source itself (a link): it was not written
};

// Whether lines may have reached the pieces before the failure, so that the user needs to know
// how many did.
inline bool FailsAfterWriting(RunFailure what)
{
    return what == RunFailure::ReadSource || what == RunFailure::SourceCutShort || what == RunFailure::OpenPiece ||
           what == RunFailure::WritePiece || what == RunFailure::ClosePiece || what == RunFailure::PieceIsSource;
}

// A failed split run: what failed, on which path, and the system's error. Front ends word it in
// their own language; error.message() is the system's own reason.
struct RunError {
    RunFailure what = RunFailure::OpenSource;
    std::string path;
    std::error_code error;
};

// The error code of a system error number.
inline std::error_code SystemError(int code) { return {code, std::generic_category()}; }

}  // namespace tess
