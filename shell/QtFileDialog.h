#pragma once

#include "shell/FileDialogFunction.h"

namespace tess {

// The FileDialogFunction the application uses: Qt's own (non-native) file dialog, modal and
// owned by record.hwndOwner. It honours the filter list with its patterns matched regardless
// of case, nFilterIndex, lpstrInitialDir, the proposed name, lpstrTitle, lpstrDefExt and the
// flags OFN_FILEMUSTEXIST, OFN_PATHMUSTEXIST, OFN_ALLOWMULTISELECT (open only) and
// OFN_OVERWRITEPROMPT (save only). A choice that does not fit in nMaxFile bytes counts as a
// failure, and returns false like a cancel.
bool ShowQtFileDialog(FileDialogKind kind, OPENFILENAME& record);

}  // namespace tess
