#include "runtime/ReadAhead.h"

#include <cerrno>
#include <utility>

#include <unistd.h>

namespace tess {

ReadAhead::ReadAhead(std::size_t capacity, std::function<void()> wake)
    : wake_(std::move(wake)), buffer_(new char[capacity]())
{
}

void ReadAhead::ask(int fd, std::size_t at, std::size_t size)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        state_ = State::Asked;
        fd_ = fd;
        at_ = at;
        size_ = size;
    }
    wake_();
}

void ReadAhead::serve()
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (state_ != State::Asked)
        return;
    state_ = State::Reading;
    lock.unlock();
    const ssize_t got = ::read(fd_, buffer_.get() + at_, size_);
    const int error = got < 0 ? errno : 0;
    lock.lock();
    got_ = got;
    error_ = error;
    state_ = State::Read;
    done_.notify_all();
}

bool ReadAhead::take(std::unique_ptr<char[]>& buffer, ssize_t& got, int& error)
{
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return state_ != State::Reading; });
    const bool read = state_ == State::Read;
    state_ = State::None;
    if (!read)
        return false;
    buffer.swap(buffer_);
    got = got_;
    error = error_;
    return true;
}

void ReadAhead::withdraw()
{
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return state_ != State::Reading; });
    state_ = State::None;
}

}  // namespace tess
