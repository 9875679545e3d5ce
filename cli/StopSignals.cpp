#include "cli/StopSignals.h"

#include <ctime>

#include "engine/SplitHost.h"

namespace tess::cli {

namespace {

volatile std::sig_atomic_t gStopSignal = 0;
ISplitHost* gSignalledHost = nullptr;
timer_t gInterrupter;
bool gHaveInterrupter = false;
volatile std::sig_atomic_t gRunReturned = 0;  // a stop asked for later has nothing to interrupt

// Well under the tenth of a second a stop may take.
constexpr long kInterruptEveryNs = 20'000'000;

void SetInterrupter(long everyNs)
{
    if (!gHaveInterrupter)
        return;
    const itimerspec every{{0, everyNs}, {0, everyNs}};
    timer_settime(gInterrupter, 0, &every, nullptr);  // async-signal-safe
}

extern "C" void RequestStop(int signal)
{
    gStopSignal = signal;
    if (gSignalledHost)
        gSignalledHost->raiseAttention();
    // The run looks at the flag and then blocks; a signal landing between the two would leave
    // a silent pipe or a FIFO without a writer waiting for good.
    if (!gRunReturned)
        SetInterrupter(kInterruptEveryNs);
}

// Its only work is the EINTR it gives a blocked call.
extern "C" void Interrupt(int) {}

void Catch(int signal, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    // No SA_RESTART: a read or open blocked on a silent pipe returns at the signal, so the stop
    // is seen at once; every further signal only asks for the same stop, so nothing read is lost.
    action.sa_flags = 0;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

}  // namespace

const volatile std::sig_atomic_t& StopSignal() { return gStopSignal; }

void CatchStopSignals(ISplitHost& host)
{
    gSignalledHost = &host;
    // Every other thread blocks all signals, so the timer's go to the main thread, the one that
    // reads and opens the source.
    sigevent event{};
    event.sigev_notify = SIGEV_SIGNAL;
    event.sigev_signo = SIGALRM;
    gHaveInterrupter = timer_create(CLOCK_MONOTONIC, &event, &gInterrupter) == 0;
    Catch(SIGALRM, Interrupt);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        Catch(signal, RequestStop);
}

void EndStopInterruptions()
{
    gRunReturned = 1;
    SetInterrupter(0);
}

}  // namespace tess::cli
