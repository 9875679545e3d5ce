#pragma once

#include <string>

#include <QString>

#include "support/TempDir.h"

namespace tess::testing {

// The path of `name` in `dir` as Qt's dialogs give paths back: absolute, with the symbolic links
// in the folder's own part resolved (a temporary folder may lie behind one), and without a final
// "/". `name` is relative to the folder, may contain "/" and need not exist; empty, it is the
// folder itself.
QString DialogPath(const TempDir& dir, const std::string& name = std::string());

// The same path as the file system's bytes, the form in which the dialog classes return paths.
std::string DialogBytes(const TempDir& dir, const std::string& name = std::string());

}  // namespace tess::testing
