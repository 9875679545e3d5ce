// tessaline-split: the split engine without the window, for scripts and large batches.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <unistd.h>

#include "cli/CliHost.h"
#include "cli/CliOptions.h"
#include "cli/FailureText.h"
#include "engine/SplitRun.h"

namespace {

// The signal that asked for the stop, 0 while none has.
volatile std::sig_atomic_t stopSignal = 0;
// The running split's host, told that it has a stop to report.
tess::ISplitHost* signalledHost = nullptr;

extern "C" void RequestStop(int signal)
{
    stopSignal = signal;
    if (signalledHost)
        signalledHost->raiseAttention();
}

void InstallSignalHandlers()
{
    struct sigaction action {};
    action.sa_handler = RequestStop;
    // No SA_RESTART: a read or open blocked on a silent pipe returns at the signal, so the stop
    // is seen at once; every further signal only asks for the same stop, so nothing read is lost.
    action.sa_flags = 0;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    // A piece that reaches the file-size limit must fail its write and be reported, not kill us.
    std::signal(SIGXFSZ, SIG_IGN);
}

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
// A stop says which signal asked for it, as a shell reports a process that the signal ended.
int ExitStopped() { return 128 + stopSignal; }

}  // namespace

int main(int argc, char** argv)
{
    using namespace tess;
    cli::CliOptions options;
    std::string complaint;
    switch (cli::ParseCommandLine(argc, argv, options, complaint)) {
    case cli::CliCommand::Help:
        std::fputs(cli::UsageText().c_str(), stdout);
        return 0;
    case cli::CliCommand::Version:
        std::printf("tessaline-split %s\n", TESSALINE_VERSION);
        return 0;
    case cli::CliCommand::BadUsage:
        std::fprintf(stderr, "tessaline-split: %s\n%s", complaint.c_str(), cli::UsageText().c_str());
        return kExitUsage;
    case cli::CliCommand::Split:
        break;
    }

    const bool showProgress = !options.quiet && ::isatty(STDERR_FILENO);
    cli::CliHost host(stopSignal, showProgress);
    signalledHost = &host;
    InstallSignalHandlers();
    SplitRequest request;
    request.sourceText = options.source;
    request.destinationText = options.destination;
    request.mode = options.mode;
    request.threshold = options.threshold;
    request.encoding = options.encoding;
    request.mapSource = options.mapSource;
    const RunResult result = RunSplit(host, request);

    switch (result.outcome) {
    case RunOutcome::Failed:
        if (!(host.folderFailed() && result.error->what == RunFailure::OpenPiece))
            std::fprintf(stderr, "tessaline-split: %s\n", cli::DescribeFailure(*result.error, result.progress.linesKept).c_str());
        return kExitFailed;
    case RunOutcome::Stopped:
        std::fprintf(stderr, "tessaline-split: stopped\n");
        return ExitStopped();
    case RunOutcome::Completed:
        break;
    }
    if (host.folderFailed())
        return kExitFailed;  // nothing was kept, or the run would have failed at its first piece
    const RunProgress& p = result.progress;
    std::printf("%llu pieces, %llu lines kept, %llu lines dropped, %llu bytes written, %s, %.2f s\n",
                static_cast<unsigned long long>(p.piecesWritten), static_cast<unsigned long long>(p.linesKept),
                static_cast<unsigned long long>(p.linesDropped), static_cast<unsigned long long>(p.bytesWritten),
                std::string(EncodingName(result.encoding)).c_str(), host.elapsedSeconds());
    // A summary that could not be written (a full disk behind stdout) is a failure too.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "tessaline-split: cannot write the summary: %s\n", std::strerror(errno));
        return kExitFailed;
    }
    return 0;
}
