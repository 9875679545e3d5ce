#include "cli/FailureText.h"

namespace tess::cli {

namespace {

const char* WhatFailed(RunFailure what)
{
    switch (what) {
    case RunFailure::OpenSource: return "cannot open source";
    case RunFailure::ReadSource: return "cannot read source";
    case RunFailure::SourceCutShort: return "another program cut short the source";
    case RunFailure::Utf32Source: return "cannot split UTF-32 text";
    case RunFailure::OpenPiece: return "cannot open piece";
    case RunFailure::WritePiece: return "cannot write piece";
    case RunFailure::ClosePiece: return "cannot close piece";
    case RunFailure::NoFileNumber: return "no free file number for";
    case RunFailure::FolderBusy: return "another run is writing into";
    case RunFailure::PieceIsSource: return "refusing to write into the source through piece";
    }
    return "cannot work on";
}

}  // namespace

std::string DescribeFailure(const RunError& error, std::uint64_t linesWritten)
{
    std::string text = std::string(WhatFailed(error.what)) + " '" + error.path + "'";
    const bool said = error.what == RunFailure::FolderBusy || error.what == RunFailure::SourceCutShort ||
                      error.what == RunFailure::PieceIsSource;
    if (!said)  // in the words already
        text += ": " + error.error.message();
    if (!FailsAfterWriting(error.what))
        return text;
    if (linesWritten == 0)
        return text + "; no line reached the pieces";
    return text + "; " + std::to_string(linesWritten) + (linesWritten == 1 ? " line" : " lines") +
           " reached the pieces, and running the same split again appends to them";
}

std::string DescribeFolderFailure(const std::string& folder, std::error_code error)
{
    return "cannot create folder '" + folder + "': " + error.message();
}

}  // namespace tess::cli
