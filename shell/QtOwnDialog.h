#pragma once

#include <QFileDialog>

namespace tess {

// Sets `dialog` up as Qt's own dialog rather than the desktop's, as every file dialog of ours
// is: alike on every desktop, with the checks that ours add. It opens in detail view, whatever
// view Qt's dialogs were last left in by any program, since they share their settings: in list
// view, a new folder whose name is ended with Return keeps its provisional one.
inline void UseQtsOwnDialog(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::Detail);
}

}  // namespace tess
