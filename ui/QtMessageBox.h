#pragma once

#include "runtime/MessageBox.h"

class QWidget;

namespace tess {

// Modal QMessageBox with an OK button only, over its owner; an empty title gives the
// application title.
class QtMessageBox : public IMessageBox {
public:
    void showMessage(const std::string& text, MessageStyle style, const std::string& title) override;
    // The window the boxes belong to, centred on and kept above it even when another program
    // has the focus when a long run ends. Not owned; null: whichever window is active.
    void setOwner(QWidget* owner) { owner_ = owner; }

private:
    QWidget* owner_ = nullptr;
};

}  // namespace tess
