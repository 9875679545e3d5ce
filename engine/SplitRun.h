#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "engine/RunError.h"
#include "engine/RunProgress.h"
#include "engine/SplitHost.h"
#include "engine/Thresholds.h"
#include "runtime/BufferSizes.h"
#include "runtime/Encoding.h"

namespace tess {

// What one kept line adds to the fill of its piece: 1, or its characters.
enum class SplitMode { ByLineCount, BySize };

struct SplitRequest {
    std::string sourceText;       // the source path box as it stands: trimmed before use
    std::string destinationText;  // the destination box as it stands: used untrimmed
    SplitMode mode = SplitMode::ByLineCount;
    double threshold = kDefaultLinesPerPiece;  // a piece is closed once its fill reaches this
    std::optional<Encoding> encoding;  // none: found from the start of the source
    std::size_t readBlock = kDefaultReadBlock;  // tests shrink both to reach every buffer boundary
    std::size_t writeBuffer = kDefaultWriteBuffer;
    // A regular source is viewed through a mapping rather than read: see LineReader.
    bool mapSource = false;
};

enum class RunOutcome { Completed, Stopped, Failed };

struct RunResult {
    RunOutcome outcome = RunOutcome::Completed;
    RunProgress progress;
    Encoding encoding = Encoding::DoubleByte;  // the one the source was split in
    std::optional<RunError> error;  // set when the outcome is Failed, and only then
};

// One whole split run: reads the source (the exact name in the source text when a file of that
// name exists, else the text trimmed of spaces), finds its encoding unless the request names
// one, trims every line of its spaces, drops the empty ones and appends the rest, each with CR
// LF in the source's encoding, to the numbered pieces destination + base name +
// number + ".txt", creating the destination folder first when it is missing (a folder that
// cannot be created is told to the host, and the run goes on). A source with a byte-order mark
// gives its mark to every piece that the run creates or finds empty. Lines of any length pass in
// flat memory. The host's timer runs while the run reads; the run stops when the host asks,
// leaving out a line it is inside of, and ends at the first failure with every file closed.
// The result says how it ended; the run shows nothing itself.
RunResult RunSplit(ISplitHost& host, const SplitRequest& request);

// For a front end that has shown the host's folderNotCreated: true when the end of `run` has
// nothing to add to that fault. A piece that could not be opened is the same fault seen again,
// and a run that went on to complete is no success to announce after it.
inline bool AddsNothingToFolderFailure(const RunResult& run)
{
    return run.outcome == RunOutcome::Completed ||
           (run.outcome == RunOutcome::Failed && run.error->what == RunFailure::OpenPiece);
}

}  // namespace tess
