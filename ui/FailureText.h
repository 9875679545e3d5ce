#pragma once

#include <cstdint>
#include <string>

#include "engine/RunError.h"

namespace tess {

// The Chinese sentence that tells the user why a split run stopped: what failed, on which path,
// and the system's reason (in Chinese for the common ones, else the system's own text), and,
// when lines may have been written before it, how many reached the pieces.
std::string FailureText(const RunError& error, std::uint64_t linesWritten);

}  // namespace tess
