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

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void RequestStop(int) { stopRequested = 1; }

void InstallSignalHandlers()
{
    struct sigaction action {};
    action.sa_handler = RequestStop;
    // The first signal asks for a stop between lines; a second one, should a read block
    // (a pipe or a terminal as the source), ends the program as usual.
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A piece that reaches the file-size limit must fail its write and be reported, not kill us.
    std::signal(SIGXFSZ, SIG_IGN);
}

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitStopped = 130;

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

    InstallSignalHandlers();
    const bool showProgress = !options.quiet && ::isatty(STDERR_FILENO);
    cli::CliHost host(stopRequested, showProgress);
    SplitRequest request;
    request.sourceText = options.source;
    request.destinationText = options.destination;
    request.mode = options.mode;
    request.threshold = options.threshold;
    request.codePage = options.codePage;
    const RunResult result = RunSplit(host, request);

    switch (result.outcome) {
    case RunOutcome::Failed:
        if (!(host.folderFailed() && result.error->what == RunFailure::OpenPiece))
            std::fprintf(stderr, "tessaline-split: %s\n", cli::DescribeFailure(*result.error).c_str());
        return kExitFailed;
    case RunOutcome::Stopped:
        std::fprintf(stderr, "tessaline-split: stopped\n");
        return kExitStopped;
    case RunOutcome::Completed:
        break;
    }
    if (host.folderFailed())
        return kExitFailed;  // nothing was kept, or the run would have failed at its first piece
    const RunProgress& p = result.progress;
    std::printf("%llu pieces, %llu lines kept, %llu lines dropped, %llu bytes written, %.2f s\n",
                static_cast<unsigned long long>(p.piecesWritten), static_cast<unsigned long long>(p.linesKept),
                static_cast<unsigned long long>(p.linesDropped), static_cast<unsigned long long>(p.bytesWritten),
                host.elapsedSeconds());
    // A summary that could not be written (a full disk behind stdout) is a failure too.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "tessaline-split: cannot write the summary: %s\n", std::strerror(errno));
        return kExitFailed;
    }
    return 0;
}
