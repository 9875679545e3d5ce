#include "runtime/Folders.h"

#include <cerrno>

#include <sys/stat.h>

namespace tess {

bool PathExists(const std::string& path)
{
    struct stat info;
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

int CreateOneFolder(const std::string& path)
{
    return ::mkdir(path.c_str(), 0777) == 0 ? 0 : errno;
}

}  // namespace tess
