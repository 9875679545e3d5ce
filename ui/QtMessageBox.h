#pragma once

#include "runtime/MessageBox.h"

namespace tess {

// Modal QMessageBox with an OK button only, over the active window; an empty title gives the
// application title.
class QtMessageBox : public IMessageBox {
public:
    void showMessage(const std::string& text, MessageStyle style, const std::string& title) override;
};

}  // namespace tess
