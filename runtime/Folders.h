#pragma once

#include <string>

namespace tess {

// True when something (a folder, a file, anything) exists at `path`. A path ending in "/" is
// found only when it names a folder.
bool PathExists(const std::string& path);

// The folder that holds the file `path` names (or would name): what comes before its last "/",
// that "/" included, or "." when it has none.
std::string FolderOf(const std::string& path);

// Creates the one folder `path` names (a final "/" is allowed); its parent must exist.
// Returns 0 when the folder is there afterwards, made here or found made, or the system's
// error number.
int CreateOneFolder(const std::string& path);

}  // namespace tess
