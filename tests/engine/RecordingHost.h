#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/SplitHost.h"

namespace tess::testing {

// Stands in for the window in engine tests: it answers with the texts it was given and writes
// down, in order, everything the run does to it.
class RecordingHost : public ISplitHost {
public:
    std::string source;
    std::string destination;
    bool stop = false;
    // Called after each yield with the number of yields so far; tests raise `stop` from it.
    std::function<void(int)> onYield;

    std::vector<std::string> events;  // "timer on", "caption 开始处理", "message 64 提示 转换处理完成！", ...
    std::optional<RunError> failure;
    int yields = 0;
    RunProgress lastProgress;

    std::string sourceText() const override { return source; }
    std::string destinationText() const override { return destination; }
    void setTimerEnabled(bool enabled) override { events.push_back(enabled ? "timer on" : "timer off"); }
    void setStartCaption(const std::string& caption) override { events.push_back("caption " + caption); }
    void showMessage(const std::string& text, MessageStyle style, const std::string& title) override
    {
        events.push_back("message " + std::to_string(static_cast<int>(style)) + " " + title + " " + text);
    }
    void yieldToEvents(const RunProgress& progress) override
    {
        lastProgress = progress;
        ++yields;
        if (onYield)
            onYield(yields);
    }
    bool stopRequested() const override { return stop; }
    void reportFailure(const RunError& error) override
    {
        failure = error;
        events.push_back("failure");
    }
};

}  // namespace tess::testing
