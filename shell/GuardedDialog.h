#pragma once

#include <utility>

#include <QDialog>
#include <QPointer>

namespace tess {

// A modal dialog on the heap, owned by its parent window as Qt dialogs are, and deleted by the
// holder when it goes out of scope. A parent that goes away while the dialog runs takes the
// dialog with it; the guard notices and neither reads nor deletes it again.
template <typename Dialog>
class GuardedDialog {
public:
    template <typename... Args>
    explicit GuardedDialog(Args&&... args) : dialog_(new Dialog(std::forward<Args>(args)...))
    {
    }
    ~GuardedDialog() { delete dialog_.data(); }
    GuardedDialog(const GuardedDialog&) = delete;
    GuardedDialog& operator=(const GuardedDialog&) = delete;

    Dialog* operator->() const { return dialog_.data(); }
    Dialog& operator*() const { return *dialog_; }

    // Runs the dialog modally. True when the user accepted it and it still exists.
    bool exec() { return dialog_->exec() == QDialog::Accepted && dialog_; }

private:
    QPointer<Dialog> dialog_;
};

}  // namespace tess
