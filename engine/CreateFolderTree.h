#pragma once

#include <string>

#include "runtime/MessageBox.h"

namespace tess::modBrowseForFolder {

// Creates the folder `path` names together with every missing folder above it, walking the
// path from its start one "/" at a time; the part after the last "/" is created last. A path
// beginning "//" has a server part ("//server/") that is never created; a bare "//server"
// fails.
// Returns true when it walked the whole path without a failure; false when the path existed
// already (nothing is done) or on a failure, which it reports itself through `messages` as
// "创建错误: " and the system's text, untitled. Folders created before a failure stay.
bool CreateFolderTree(const std::string& path, IMessageBox& messages);

}  // namespace tess::modBrowseForFolder
