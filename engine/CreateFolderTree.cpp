#include "engine/CreateFolderTree.h"

#include <cerrno>

#include "engine/RunError.h"
#include "runtime/Folders.h"

namespace tess::modBrowseForFolder {

namespace {

bool Fail(const std::string& folder, int code, IFolderTreeEvents& events)
{
    events.folderNotCreated(folder, SystemError(code));
    return false;
}

}  // namespace

bool CreateFolderTree(const std::string& path, IFolderTreeEvents& events)
{
    if (PathExists(path))
        return false;

    std::size_t searchFrom = 0;
    if (path.size() >= 3 && path.compare(0, 2, "//") == 0) {
        const auto serverEnd = path.find('/', 2);
        if (serverEnd == std::string::npos)
            return Fail(path, EINVAL, events);  // a server with no share can never be a folder
        searchFrom = serverEnd + 1;
    }

    for (auto slash = path.find('/', searchFrom); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash + 1);
        if (!PathExists(prefix))
            if (const int code = CreateOneFolder(prefix))
                return Fail(prefix, code, events);
    }

    if (path.empty() || path.back() != '/')
        if (const int code = CreateOneFolder(path))
            return Fail(path, code, events);
    return true;
}

}  // namespace tess::modBrowseForFolder
