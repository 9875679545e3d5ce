#pragma once

#include "engine/FolderTreeEvents.h"
#include "engine/RunProgress.h"

namespace tess {

// What a split run needs from the window, or from a front end that stands in for it, while it
// runs. How the run ended is its result, not a call here.
class ISplitHost : public IFolderTreeEvents {
public:
    // The one-second elapsed-time tick: on when the run starts reading, off when it has ended.
    virtual void setTimerEnabled(bool enabled) = 0;
    // Called after every line read. The host decides whether enough time has passed to be
    // worth handling its events; it must be cheap when it does nothing.
    virtual void yieldToEvents(const RunProgress& progress) = 0;
    virtual bool stopRequested() const = 0;
};

}  // namespace tess
