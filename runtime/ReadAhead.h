#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>

#include <sys/types.h>

namespace tess {

// The next read of a regular file, done by another thread that has nothing else to do: its
// owner asks for it once it has read a block, a thread that is idle serves the ask, and the
// owner takes what was read when it needs the next block. Where no thread is idle in time, the
// owner withdraws the ask and reads for itself, so a busy helper never slows it. One read is in
// the air at a time, and always the one after the owner's last, so the file's offset stays in
// order.
class ReadAhead {
public:
    // Buffers of `capacity` bytes; `wake` is called, on the owner's thread, after every ask, to
    // have a helper call serve().
    ReadAhead(std::size_t capacity, std::function<void()> wake);
    ~ReadAhead() { withdraw(); }
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Asks for a read of `size` bytes from `fd`'s offset, to land `at` bytes into a buffer.
    void ask(int fd, std::size_t at, std::size_t size);
    // On a helper's thread: makes the read that is asked for, if one is and no one has begun.
    void serve();
    // When a read was begun for the ask: waits until it ends, swaps its buffer with `buffer`,
    // and sets `got` to what read() returned and `error` to its errno; true then. Else
    // withdraws the ask and returns false.
    bool take(std::unique_ptr<char[]>& buffer, ssize_t& got, int& error);
    // Withdraws an ask and waits for a read in the air; before the file is closed.
    void withdraw();

private:
    enum class State { None, Asked, Reading, Read };

    std::function<void()> wake_;
    std::unique_ptr<char[]> buffer_;
    std::mutex mutex_;
    std::condition_variable done_;
    State state_ = State::None;
    int fd_ = -1;
    std::size_t at_ = 0;
    std::size_t size_ = 0;
    ssize_t got_ = 0;
    int error_ = 0;
};

}  // namespace tess
