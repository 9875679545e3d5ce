#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tess::testing {

struct Finished {
    int exitCode = -1;  // 128 + signal number when killed by a signal
    std::string out;
    std::string err;
};

// Runs `argv` to its end (see Child::wait), stdin from /dev/null, capturing both outputs.
Finished RunToEnd(const std::vector<std::string>& argv);

// A child running with its outputs captured, for tests that act on it while it runs.
class Child {
public:
    explicit Child(const std::vector<std::string>& argv);
    void signal(int number) const;
    // Waits until every thread of the child sleeps: it has then taken in all it was given and
    // waits for more.
    void waitUntilBlocked() const;
    // Its end. A child still running after two minutes has hung: it is killed, and this throws.
    Finished wait();
    // Its end, or nothing when it was still running after `limit`; it is then killed.
    std::optional<Finished> waitAtMost(std::chrono::milliseconds limit);

private:
    int pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
};

}  // namespace tess::testing
