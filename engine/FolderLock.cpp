#include "engine/FolderLock.h"

#include <cerrno>
#include <cstddef>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace tess {

FolderLock::~FolderLock()
{
    for (const int fd : {lockedFd_, nameFd_})
        if (fd >= 0)
            ::close(fd);  // releases the lock
}

// Both locks: the name holds a folder against a run that can only write into it, which cannot
// open it to flock it; the flock holds it against a run in another network namespace, where the
// name is not seen.
bool FolderLock::take(const std::string& folder)
{
    if (!takeByName(folder))
        return false;
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
    lockedFd_ = fd;
    return true;
}

// A name that only one socket at a time may bind, made of the folder's device and inode, which
// the system frees with the process; it needs no right to the folder but to look it up.
bool FolderLock::takeByName(const std::string& folder)
{
    struct stat info;
    if (::stat(folder.c_str(), &info) != 0)
        return true;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return true;
    const std::string name =
        "tessaline-folder-" + std::to_string(info.st_dev) + "-" + std::to_string(info.st_ino);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());  // a leading NUL: no file
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        const bool busy = errno == EADDRINUSE;
        ::close(fd);
        return !busy;
    }
    nameFd_ = fd;
    return true;
}

}  // namespace tess
