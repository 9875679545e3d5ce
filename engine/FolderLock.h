#pragma once

#include <string>

namespace tess {

// An exclusive advisory lock on the folder that receives a run's pieces, held from take() to
// the object's end, so that no two runs write the same pieces at once. A folder is one folder
// however it is spelt: the lock is on the folder itself, not on its name.
class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // True unless another run holds the folder. A folder that cannot be found (it could not be
    // created) is not locked: its pieces will fail to open, and say why.
    bool take(const std::string& folder);

private:
    bool takeByName(const std::string& folder);

    int lockedFd_ = -1;
    int nameFd_ = -1;
};

}  // namespace tess
