#pragma once

#include <string>

namespace tess {

// Which file operation of a split run failed.
enum class RunFailure { OpenSource, ReadSource, OpenPiece, WritePiece, ClosePiece, NoFileNumber };

// A failed split run: what failed, on which path, and the system's error number and text.
// Front ends word it in their own language; nothing here is meant to be shown as it stands.
struct RunError {
    RunFailure what = RunFailure::OpenSource;
    std::string path;
    int code = 0;
    std::string reason;
};

}  // namespace tess
