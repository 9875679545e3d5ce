#pragma once

#include <atomic>

#include "engine/FolderTreeEvents.h"
#include "engine/RunProgress.h"

namespace tess {

// What a split run needs from the window, or from a front end that stands in for it, while it
// runs. How the run ended is its result, not a call here.
//
// The run does not call the host for every line: it tests the host's attention flag, one load,
// and only when the flag is up does it lower it, call yieldToEvents and then stopRequested. A
// host raises the flag when it has something to do (a timer's tick) and whenever it may have
// a stop to report, so a stop is seen at the next line. The flag may be raised from any thread
// or from a signal handler. While a source that is not a regular file has nothing to read, the
// run does the same, flag or not, after every wait of a few milliseconds.
class ISplitHost : public IFolderTreeEvents {
public:
    // The one-second elapsed-time tick: on when the run starts reading, off when it has ended.
    virtual void setTimerEnabled(bool enabled) = 0;
    // Called, after a line, when the attention flag was up, and after every wait on a silent
    // source: the host handles its events.
    virtual void yieldToEvents(const RunProgress& progress) = 0;
    virtual bool stopRequested() const = 0;

    std::atomic<bool>& attention() { return attention_; }
    void raiseAttention() { attention_.store(true, std::memory_order_relaxed); }

private:
    static_assert(std::atomic<bool>::is_always_lock_free, "raised from signal handlers");
    std::atomic<bool> attention_{false};
};

}  // namespace tess
