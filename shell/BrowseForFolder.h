#pragma once

#include <functional>
#include <string>

class QWidget;

namespace tess::modBrowseForFolder {

// Lets the user choose an existing folder in a modal chooser owned by `hwndOwner` (null: no
// owner; not owned here) and titled with `sPrompt` (UTF-8, left as it is). Returns when the
// chooser has closed: the chosen folder's full path as the file system's bytes, without a final
// "/" except for the root "/" itself; empty text when the user cancelled.
std::string BrowseForFolder(QWidget* hwndOwner, const std::string& sPrompt);

// The shape of BrowseForFolder, for callers that take the folder chooser as a seam so that their
// tests can answer in its place.
using FolderBrowserFunction = std::function<std::string(QWidget* hwndOwner, const std::string& sPrompt)>;

}  // namespace tess::modBrowseForFolder
