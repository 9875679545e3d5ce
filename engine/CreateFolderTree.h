#pragma once

#include <string>

#include "engine/FolderTreeEvents.h"

namespace tess::modBrowseForFolder {

// Creates the folder `path` names together with every missing folder above it, walking the
// path from its start one "/" at a time; the part after the last "/" is created last. A path
// beginning "//" has a server part ("//server/") that is never created; a bare "//server"
// fails.
// Returns true when it walked the whole path without a failure; false when the path existed
// already (nothing is done) or on a failure, which it tells `events` with the folder that could
// not be created. Folders created before a failure stay.
bool CreateFolderTree(const std::string& path, IFolderTreeEvents& events);

}  // namespace tess::modBrowseForFolder
