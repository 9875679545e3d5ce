#pragma once

#include <chrono>
#include <csignal>
#include <memory>
#include <string>

#include "cli/CliOptions.h"
#include "runtime/SplitHost.h"
#include "runtime/YieldTicker.h"

namespace tess::cli {

// Stands in for the window: the paths come from the command line, message boxes and failures
// go to stderr, and a progress line is redrawn on stderr a few times a second when asked for.
class CliHost : public ISplitHost {
public:
    // `stop` is raised by the signal handlers; the host only reads it.
    CliHost(const CliOptions& options, const volatile std::sig_atomic_t& stop, bool showProgress);
    ~CliHost() override;

    std::string sourceText() const override { return options_.source; }
    std::string destinationText() const override { return options_.destination; }
    void setTimerEnabled(bool enabled) override;
    void setStartCaption(const std::string&) override {}
    void showMessage(const std::string& text, MessageStyle style, const std::string& title) override;
    void yieldToEvents(const RunProgress& progress) override;
    bool stopRequested() const override { return stop_ != 0; }
    void reportFailure(const RunError& error) override;

    double elapsedSeconds() const;

private:
    void drawProgress(const RunProgress& progress);
    void eraseProgress();

    const CliOptions& options_;
    const volatile std::sig_atomic_t& stop_;
    std::unique_ptr<YieldTicker> ticker_;  // only while a progress line is shown
    bool showProgress_;
    bool progressDrawn_ = false;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

// The English sentence for a failed run, naming the path and the system's reason.
std::string DescribeFailure(const RunError& error);

}  // namespace tess::cli
