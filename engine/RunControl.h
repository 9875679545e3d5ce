#pragma once

#include "engine/RunWindow.h"

namespace tess {

// The caption of the start button while no run is running.
inline constexpr const char* kStartCaption = "开始处理";

// The start button's start/stop toggle, the elapsed-seconds display and the state a run shares
// with the window: the stop flag and the two thresholds. Works on the window only through
// IRunWindow, which it does not own.
class RunControl {
public:
    explicit RunControl(IRunWindow& window);

    // The click on the start button. Returns when the run it started has ended, or at once for
    // a stop, a refused start, or a start while a stopped run has not yet returned.
    void cmdStartClick();
    // The one-second tick: the elapsed-seconds caption goes up by one.
    void timer1Tick();
    // Asks a running split to stop before its next line, as a stop click does.
    void requestStop();

    bool stopFlag() const { return stopFlag_; }
    double lineThreshold() const { return lineThreshold_; }
    double sizeThreshold() const { return sizeThreshold_; }
    // True from the start of a split until it has returned, stopping included.
    bool splitInProgress() const { return splitInProgress_; }

private:
    bool validate();
    void startLineMode();
    void startSizeMode();

    IRunWindow& window_;
    bool stopFlag_ = false;
    double lineThreshold_ = 0;
    double sizeThreshold_ = 0;
    bool splitInProgress_ = false;
};

}  // namespace tess
