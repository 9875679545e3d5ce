#pragma once

#include <chrono>
#include <csignal>
#include <memory>
#include <string>

#include "engine/SplitHost.h"
#include "runtime/YieldTicker.h"

namespace tess::cli {

// Stands in for the window: faults go to stderr in English, and a progress line is redrawn on
// stderr a few times a second when asked for.
class CliHost : public ISplitHost {
public:
    // `stop` is raised by the signal handlers; the host only reads it.
    CliHost(const volatile std::sig_atomic_t& stop, bool showProgress);
    ~CliHost() override;

    void setTimerEnabled(bool enabled) override;
    void yieldToEvents(const RunProgress& progress) override;
    bool stopRequested() const override { return stop_ != 0; }
    void folderNotCreated(const std::string& folder, std::error_code error) override;

    // Whether the destination folder could not be created; the piece that then cannot be
    // opened is its consequence, not a fault of its own.
    bool folderFailed() const { return folderFailed_; }
    double elapsedSeconds() const;

private:
    void drawProgress(const RunProgress& progress);
    void eraseProgress();

    const volatile std::sig_atomic_t& stop_;
    std::unique_ptr<YieldTicker> ticker_;  // only while a progress line is shown
    bool showProgress_;
    bool progressDrawn_ = false;
    bool folderFailed_ = false;
    std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();
};

}  // namespace tess::cli
