#pragma once

#include <string>

#include "runtime/MessageBox.h"

namespace tess {

// The controls that run control reads and writes on the main window, and the window's two
// split procedures. Texts are UTF-8.
class IRunWindow : public IMessageBox {
public:
    virtual std::string startCaption() const = 0;  // cmdStart
    virtual void setStartCaption(const std::string& caption) = 0;
    virtual std::string elapsedCaption() const = 0;  // Label6
    virtual void setElapsedCaption(const std::string& caption) = 0;
    virtual std::string sourceText() const = 0;       // txtPath
    virtual std::string destinationText() const = 0;  // txtSave
    virtual std::string lineCountText() const = 0;    // txtLineCount
    virtual void setLineCountText(const std::string& text) = 0;
    virtual std::string sizeText() const = 0;  // txtSize
    virtual void setSizeText(const std::string& text) = 0;
    virtual bool lineModeSelected() const = 0;  // Option1
    // One whole run of the engine; return when it has ended.
    virtual void SplitByLineCount() = 0;
    virtual void SplitBySize() = 0;
};

}  // namespace tess
