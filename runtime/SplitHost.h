#pragma once

#include <string>

#include "runtime/MessageBox.h"
#include "runtime/RunError.h"
#include "runtime/RunProgress.h"

namespace tess {

// What a split run needs from the window, or from a front end that stands in for it.
// Texts are UTF-8; paths are the bytes the file system gets.
class ISplitHost : public IMessageBox {
public:
    virtual std::string sourceText() const = 0;       // the source path box, as it stands
    virtual std::string destinationText() const = 0;  // the destination box, as it stands
    virtual void setTimerEnabled(bool enabled) = 0;   // the one-second elapsed-time tick
    virtual void setStartCaption(const std::string& caption) = 0;
    // Called after every line read. The host decides whether enough time has passed to be
    // worth handling its events; it must be cheap when it does nothing.
    virtual void yieldToEvents(const RunProgress& progress) = 0;
    virtual bool stopRequested() const = 0;
    // The run stopped at a failure; called once, after every file of the run is closed.
    virtual void reportFailure(const RunError& error) = 0;
};

}  // namespace tess
