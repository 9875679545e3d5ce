#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/SplitHost.h"

namespace tess::testing {

// Stands in for the window in engine tests: it writes down, in order, everything the run tells it.
// Its attention flag is always up, so the run yields to it after every line, unless it is told
// to be inattentive: the flag then stays down once lowered, and the run takes lines in a row.
class RecordingHost : public ISplitHost {
public:
    RecordingHost() { raiseAttention(); }

    bool attentive = true;
    bool stop = false;
    // Called after each yield with the number of yields so far; tests raise `stop` from it.
    std::function<void(int)> onYield;

    std::vector<std::string> events;  // "timer on", "folder /x/out/ File exists", "timer off"
    int yields = 0;
    RunProgress lastProgress;

    void setTimerEnabled(bool enabled) override { events.push_back(enabled ? "timer on" : "timer off"); }
    void yieldToEvents(const RunProgress& progress) override
    {
        lastProgress = progress;
        ++yields;
        if (attentive)
            raiseAttention();
        if (onYield)
            onYield(yields);
    }
    bool stopRequested() const override { return stop; }
    void folderNotCreated(const std::string& folder, std::error_code error) override
    {
        events.push_back("folder " + folder + " " + error.message());
    }
};

}  // namespace tess::testing
