#include "engine/FolderLock.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tess {

FolderLock::~FolderLock()
{
    if (fd_ >= 0)
        ::close(fd_);  // releases the lock
}

std::string FolderLock::FolderOf(const std::string& piecePrefix)
{
    const auto slash = piecePrefix.rfind('/');
    return slash == std::string::npos ? std::string(".") : piecePrefix.substr(0, slash + 1);
}

bool FolderLock::take(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    int locked;
    while ((locked = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return !busy;
    }
    fd_ = fd;
    return true;
}

}  // namespace tess
