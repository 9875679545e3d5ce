#pragma once

#include <string>

#include "engine/RunError.h"

namespace tess {

// The Chinese sentence that tells the user why a split run stopped: what failed, on which path,
// and the system's reason (in Chinese for the common ones, else the system's own text).
std::string FailureText(const RunError& error);

}  // namespace tess
