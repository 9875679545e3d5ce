// tessaline-split: the split engine without the window, for scripts and large batches.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <unistd.h>

#include "cli/CliHost.h"
#include "cli/CliOptions.h"
#include "cli/FailureText.h"
#include "cli/StopSignals.h"
#include "engine/SplitRun.h"

namespace {

// A piece that reaches the file-size limit must fail its write and be reported, not kill us.
void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
// A stop says which signal asked for it, as a shell reports a process that the signal ended.
int ExitStopped() { return 128 + tess::cli::StopSignal(); }

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
    cli::CliHost host(cli::StopSignal(), showProgress);
    cli::CatchStopSignals(host);
    IgnoreFileSizeSignal();
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
        if (!(host.folderFailed() && AddsNothingToFolderFailure(result)))
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
