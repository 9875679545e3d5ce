#pragma once

#include <csignal>

namespace tess {
class ISplitHost;
}

namespace tess::cli {

// The signal that asked for a stop (SIGINT, SIGTERM or SIGHUP), 0 while none has.
const volatile std::sig_atomic_t& StopSignal();

// Makes those three signals ask `host`'s run to stop; `host` must outlive the run.
void CatchStopSignals(ISplitHost& host);

}  // namespace tess::cli
