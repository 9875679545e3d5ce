#pragma once

#include <string>

#include "shell/BrowseForFolder.h"
#include "shell/FileDialogFunction.h"
#include "shell/QtFileDialog.h"

class QWidget;

namespace tess {

// The dialogs behind the window's two pickers. The defaults are the ones the user sees; tests
// answer in their place.
struct PickerDialogs {
    FileDialogFunction showFileDialog = ShowQtFileDialog;
    modBrowseForFolder::FolderBrowserFunction browseForFolder = modBrowseForFolder::BrowseForFolder;
};

// Asks for the source text file in a new open dialog owned by `owner` (not owned here), which
// accepts only existing files and proposes no earlier choice. Returns the chosen file's full path,
// or empty text when the user cancelled.
std::string PickSourceFile(const FileDialogFunction& showDialog, QWidget* owner);

// Asks for the destination folder in the folder chooser owned by `owner` (not owned here).
// Returns the chosen folder ending in exactly one "/", ready for piece names to be appended, or
// empty text when the user cancelled.
std::string PickDestinationFolder(const modBrowseForFolder::FolderBrowserFunction& browse, QWidget* owner);

}  // namespace tess
