#include "runtime/Folders.h"

#include <cerrno>

#include <sys/stat.h>

namespace tess {

bool PathExists(const std::string& path)
{
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

int CreateOneFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) == 0)
        return 0;
    const int code = errno;
    struct stat info;
    if (code == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return 0;  // another run, making the same tree, made it since it was looked for
    return code;
}

}  // namespace tess
