#include "cli/CliHost.h"

#include <cstdio>

namespace tess::cli {

namespace {
constexpr auto kProgressPeriod = std::chrono::milliseconds(250);
}

CliHost::CliHost(const CliOptions& options, const volatile std::sig_atomic_t& stop, bool showProgress)
    : options_(options), stop_(stop), showProgress_(showProgress)
{
}

CliHost::~CliHost() { eraseProgress(); }

void CliHost::setTimerEnabled(bool enabled)
{
    if (enabled) {
        started_ = std::chrono::steady_clock::now();
        if (showProgress_)
            ticker_ = std::make_unique<YieldTicker>(kProgressPeriod);
    } else {
        ticker_.reset();
        eraseProgress();
    }
}

void CliHost::showMessage(const std::string& text, MessageStyle style, const std::string&)
{
    // The completion notice is the summary line's job; what else a run says is about creating
    // the destination folder, which the message alone does not name.
    if (style == MessageStyle::Information)
        return;
    eraseProgress();
    std::fprintf(stderr, "tessaline-split: %s (creating '%s')\n", text.c_str(), options_.destination.c_str());
}

void CliHost::yieldToEvents(const RunProgress& progress)
{
    if (ticker_ && ticker_->due())
        drawProgress(progress);
}

void CliHost::reportFailure(const RunError& error)
{
    eraseProgress();
    std::fprintf(stderr, "tessaline-split: %s\n", DescribeFailure(error).c_str());
}

double CliHost::elapsedSeconds() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

void CliHost::drawProgress(const RunProgress& progress)
{
    const double seconds = elapsedSeconds();
    const double share = progress.sourceBytes ? 100.0 * progress.bytesRead / progress.sourceBytes : 100.0;
    const double rate = seconds > 0 ? progress.bytesRead / seconds / 1e6 : 0;
    std::fprintf(stderr, "\r%5.1f%% read, %llu pieces, %.0f s, %.1f MB/s\033[K", share,
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

std::string DescribeFailure(const RunError& error)
{
    const char* what = "";
    switch (error.what) {
    case RunFailure::OpenSource: what = "cannot open source"; break;
    case RunFailure::ReadSource: what = "cannot read source"; break;
    case RunFailure::OpenPiece: what = "cannot open piece"; break;
    case RunFailure::WritePiece: what = "cannot write piece"; break;
    case RunFailure::ClosePiece: what = "cannot close piece"; break;
    case RunFailure::NoFileNumber: what = "no free file number for"; break;
    }
    return std::string(what) + " '" + error.path + "': " + error.reason;
}

}  // namespace tess::cli
