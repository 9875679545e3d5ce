#pragma once

#include <string>
#include <system_error>

namespace tess {

// Which file operation of a split run failed.
enum class RunFailure { OpenSource, ReadSource, OpenPiece, WritePiece, ClosePiece, NoFileNumber };

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
