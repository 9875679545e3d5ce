#include "cli/StopSignals.h"

#include "engine/SplitHost.h"

namespace tess::cli {

namespace {

volatile std::sig_atomic_t gStopSignal = 0;
ISplitHost* gSignalledHost = nullptr;

extern "C" void RequestStop(int signal)
{
    gStopSignal = signal;
    if (gSignalledHost)
        gSignalledHost->raiseAttention();
}

}  // namespace

const volatile std::sig_atomic_t& StopSignal() { return gStopSignal; }

void CatchStopSignals(ISplitHost& host)
{
    gSignalledHost = &host;
    struct sigaction action {};
    action.sa_handler = RequestStop;
    // No SA_RESTART: a wait on a silent pipe returns at the signal, so the stop is seen at once;
    // every further signal only asks for the same stop, so nothing read is lost. A signal that
    // lands just before such a wait is seen when the wait's slice ends.
    action.sa_flags = 0;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

}  // namespace tess::cli
