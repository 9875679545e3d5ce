#pragma once

#include <cstdint>
#include <string>
#include <system_error>

#include "engine/RunError.h"

namespace tess::cli {

// The English sentence for a failed run, naming the path and the system's reason, and, when
// lines may have been written before it, how many reached the pieces.
std::string DescribeFailure(const RunError& error, std::uint64_t linesWritten);

// The English sentence for a destination folder that could not be created.
std::string DescribeFolderFailure(const std::string& folder, std::error_code error);

}  // namespace tess::cli
