#pragma once

#include <optional>
#include <string>

#include "engine/SplitRun.h"
#include "engine/Thresholds.h"

namespace tess::cli {

struct CliOptions {
    SplitMode mode = SplitMode::ByLineCount;
    double threshold = kDefaultLinesPerPiece;
    std::optional<Encoding> encoding;  // none: found from the source
    bool quiet = false;
    bool mapSource = false;
    std::string source;
    std::string destination;  // always ends in "/"
};

enum class CliCommand { Split, Help, Version, BadUsage };

// Reads the command line. For BadUsage, `complaint` says what was wrong.
CliCommand ParseCommandLine(int argc, const char* const* argv, CliOptions& options, std::string& complaint);

std::string UsageText();

}  // namespace tess::cli
