#pragma once

#include <string>
#include <system_error>

namespace tess {

// What the folder-tree creation tells the one who asked for it.
class IFolderTreeEvents {
public:
    virtual ~IFolderTreeEvents() = default;
    // `folder` could not be created, for `error`; nothing after it was tried.
    virtual void folderNotCreated(const std::string& folder, std::error_code error) = 0;
};

}  // namespace tess
