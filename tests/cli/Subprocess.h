#pragma once

#include <string>
#include <vector>

namespace tess::testing {

struct Finished {
    int exitCode = -1;  // 128 + signal number when killed by a signal
    std::string out;
    std::string err;
};

// Runs `argv` to its end, stdin from /dev/null, capturing both outputs.
Finished RunToEnd(const std::vector<std::string>& argv);

// A child running with its outputs captured, for tests that act on it while it runs.
class Child {
public:
    explicit Child(const std::vector<std::string>& argv);
    void signal(int number) const;
    // Waits until the child sleeps in a system call, i.e. has consumed all it was given.
    void waitUntilBlocked() const;
    Finished wait();

private:
    int pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
};

}  // namespace tess::testing
