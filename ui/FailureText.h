#pragma once

#include <cstdint>
#include <string>
#include <system_error>

#include "engine/RunError.h"

namespace tess {

// The Chinese sentence that tells the user why a split run stopped: what failed, on which path,
// and the system's reason (in Chinese for the common ones, else the system's own text), and,
// when lines may have been written before it, how many reached the pieces.
std::string FailureText(const RunError& error, std::uint64_t linesWritten);

// The system's reason for `error`: in Chinese for the common ones, else the system's own text.
std::string ReasonText(std::error_code error);

// Which folder could not be created, and why, for the box that follows "创建错误: " with it.
std::string FolderFailureText(const std::string& folder, std::error_code error);

}  // namespace tess
