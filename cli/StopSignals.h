#pragma once

#include <csignal>

namespace tess {
class ISplitHost;
}

namespace tess::cli {

// The signal that asked for a stop (SIGINT, SIGTERM or SIGHUP), 0 while none has.
const volatile std::sig_atomic_t& StopSignal();

// Makes those three signals ask `host`'s run to stop; `host` must outlive the run. From the
// first of them until EndStopInterruptions, the main thread is interrupted every few
// milliseconds, so a blocking open or read begun just after the flag was looked at still ends.
void CatchStopSignals(ISplitHost& host);

// Ends those interruptions: called once the run has returned, before its outcome is printed.
void EndStopInterruptions();

}  // namespace tess::cli
