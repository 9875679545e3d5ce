#include "cli/CliHost.h"

#include <cstdio>

#include "cli/FailureText.h"

namespace tess::cli {

namespace {
constexpr auto kProgressPeriod = std::chrono::milliseconds(250);
}

CliHost::CliHost(const volatile std::sig_atomic_t& stop, bool showProgress)
    : stop_(stop), showProgress_(showProgress)
{
}

CliHost::~CliHost() { eraseProgress(); }

void CliHost::setTimerEnabled(bool enabled)
{
    if (enabled) {
        started_ = std::chrono::steady_clock::now();
        if (showProgress_)
            ticker_ = std::make_unique<YieldTicker>(kProgressPeriod, attention());
    } else {
        ticker_.reset();
        eraseProgress();
    }
}

void CliHost::folderNotCreated(const std::string& folder, std::error_code error)
{
    eraseProgress();
    std::fprintf(stderr, "tessaline-split: %s\n", DescribeFolderFailure(folder, error).c_str());
    folderFailed_ = true;
}

void CliHost::yieldToEvents(const RunProgress& progress)
{
    if (ticker_ && stop_ == 0)
        drawProgress(progress);
}

double CliHost::elapsedSeconds() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

void CliHost::drawProgress(const RunProgress& progress)
{
    const double seconds = elapsedSeconds();
    const double rate = seconds > 0 ? progress.bytesRead / seconds / 1e6 : 0;
    if (progress.sourceBytes > 0)
        std::fprintf(stderr, "\r%5.1f%% read", 100.0 * progress.bytesRead / progress.sourceBytes);
    else  // a pipe, whose size is known only at its end
        std::fprintf(stderr, "\r%.1f MB read", progress.bytesRead / 1e6);
    std::fprintf(stderr, ", %llu pieces, %.0f s, %.1f MB/s\033[K",
                 static_cast<unsigned long long>(progress.piecesWritten), seconds, rate);
    std::fflush(stderr);
    progressDrawn_ = true;
}

void CliHost::eraseProgress()
{
    if (!progressDrawn_)
        return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    progressDrawn_ = false;
}

}  // namespace tess::cli
