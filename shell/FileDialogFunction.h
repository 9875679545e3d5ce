#pragma once

#include <functional>

#include "shell/OpenFileName.h"

namespace tess {

enum class FileDialogKind { Open, Save };

// The seam between cFileDialog and the dialog the user sees. Shows the open or save dialog that
// `record` describes and returns when it has closed. On a choice it writes the file buffer
// (lpstrFile, nMaxFile bytes: one path, or for a multiple selection the folder, NUL, the names
// separated by NUL, two NULs; NUL-padded) and nFilterIndex back into `record` and returns true.
// Returns false, the buffer untouched, when the user cancelled or the dialog could not serve.
using FileDialogFunction = std::function<bool(FileDialogKind kind, OPENFILENAME& record)>;

}  // namespace tess
