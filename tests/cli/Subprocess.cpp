#include "cli/Subprocess.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tess::testing {

Child::Child(const std::vector<std::string>& argv)
{
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0)
        throw std::runtime_error("pipe failed");
    pid_ = ::fork();
    if (pid_ == 0) {
        const int devNull = ::open("/dev/null", O_RDONLY);
        ::dup2(devNull, 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::close(out[0]);
        ::close(err[0]);
        std::vector<char*> args;
        for (const auto& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    outFd_ = out[0];
    errFd_ = err[0];
}

void Child::signal(int number) const { ::kill(pid_, number); }

// A thread's state letter from /proc/<pid>/task/<tid>/stat ("R", "S", ...).
static std::string ThreadState(const std::filesystem::path& task)
{
    std::ifstream stat(task / "stat");
    std::string line;
    std::getline(stat, line);
    const auto close = line.rfind(')');  // the name in parentheses may hold spaces
    return close == std::string::npos || close + 2 >= line.size() ? "" : line.substr(close + 2, 1);
}

void Child::waitUntilBlocked() const
{
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid_) + "/task";
    for (int attempt = 0; attempt < 2000; ++attempt) {
        bool allAsleep = true;
        int threads = 0;
        for (const auto& task : std::filesystem::directory_iterator(tasks)) {
            ++threads;
            allAsleep = allAsleep && ThreadState(task.path()) == "S";
        }
        if (threads > 0 && allAsleep)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    throw std::runtime_error("the child never blocked");
}

Finished Child::wait()
{
    if (std::optional<Finished> finished = waitAtMost(std::chrono::minutes(2)))
        return *finished;
    throw std::runtime_error("the child never ended");
}

std::optional<Finished> Child::waitAtMost(std::chrono::milliseconds limit)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + limit;
    Finished finished;
    pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
    std::string* sinks[2] = {&finished.out, &finished.err};
    int open = 2;
    bool killed = false;
    while (open > 0) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (!killed && left <= 0) {
            ::kill(pid_, SIGKILL);  // its outputs then close, and the loop ends
            killed = true;
        }
        if (::poll(fds, 2, killed ? -1 : static_cast<int>(left)) < 0)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP)))
                continue;
            char buffer[4096];
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    ::waitpid(pid_, &status, 0);
    if (killed)
        return std::nullopt;
    finished.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return finished;
}

Finished RunToEnd(const std::vector<std::string>& argv) { return Child(argv).wait(); }

}  // namespace tess::testing
