#pragma once

#include <cstddef>
#include <optional>

#include "engine/Thresholds.h"
#include "runtime/CodePage.h"
#include "runtime/RunError.h"
#include "runtime/RunProgress.h"
#include "runtime/SplitHost.h"

namespace tess {

// What one kept line adds to the fill of its piece: 1, or its characters.
enum class SplitMode { ByLineCount, BySize };

struct SplitSettings {
    SplitMode mode = SplitMode::ByLineCount;
    double threshold = kDefaultLinesPerPiece;  // a piece is closed once its fill reaches this
    CodePage codePage = CodePage::Cp936;
    std::size_t readBlock = 1 << 20;    // tests shrink both to reach every buffer boundary
    std::size_t writeBuffer = 1 << 20;
};

enum class RunOutcome { Completed, Stopped, Failed };

struct RunResult {
    RunOutcome outcome = RunOutcome::Completed;
    RunProgress progress;
    std::optional<RunError> error;  // set when the outcome is Failed
};

// One whole split run: reads the source named by the host's source text, trims every line of
// its spaces, drops the empty ones and appends the rest, each with CR LF, to the numbered
// pieces destination + base name + number + ".txt", creating the destination folder first when
// it is missing. Works on the host as the window's run does: enables the timer for the run's
// length; on completion restores the start caption and shows the completion notice; stops
// between lines when the host asks; on the first failure closes everything, restores the
// caption and reports the failure to the host (no notice).
RunResult RunSplit(ISplitHost& host, const SplitSettings& settings);

// The caption of the start button while no run is running.
inline constexpr const char* kStartCaption = "开始处理";

}  // namespace tess
