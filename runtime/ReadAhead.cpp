#include "runtime/ReadAhead.h"

#include <cerrno>

#include <unistd.h>

namespace tess {

ReadAhead::ReadAhead(std::size_t blockSize, std::size_t padBefore, std::size_t padAfter)
    : blockSize_(blockSize), padBefore_(padBefore)
{
    for (auto& storage : storage_)
        storage.reset(new char[padBefore + blockSize + padAfter]());
    thread_ = std::thread([this] { run(); });
}

ReadAhead::~ReadAhead()
{
    stop();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quitting_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void ReadAhead::start(int fd)
{
    stop();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        fd_ = fd;
        failed_ = 0;
    }
    request(0);
}

void ReadAhead::request(int block)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wanted_ = block;
        done_ = false;
    }
    changed_.notify_all();
}

int ReadAhead::next(char*& data, std::size_t& size)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (failed_)
        return failed_;
    changed_.wait(lock, [this] { return done_ || (reading_ < 0 && wanted_ < 0); });
    if (!done_) {  // nothing was asked for: the end was handed over already
        size = 0;
        return 0;
    }
    const int block = reading_;
    reading_ = -1;
    done_ = false;
    if (error_ != 0)
        return failed_ = error_;
    data = storage_[block].get() + padBefore_;
    size = static_cast<std::size_t>(got_);
    lock.unlock();
    if (size > 0)
        request(1 - block);
    return 0;
}

void ReadAhead::stop()
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return wanted_ < 0 && (reading_ < 0 || done_); });
    reading_ = -1;
    done_ = false;
}

void ReadAhead::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return quitting_ || wanted_ >= 0; });
        if (quitting_)
            return;
        reading_ = wanted_;
        wanted_ = -1;
        char* into = storage_[reading_].get() + padBefore_;
        const int fd = fd_;
        lock.unlock();
        ssize_t got;
        while ((got = ::read(fd, into, blockSize_)) < 0 && errno == EINTR) {
        }
        const int error = got < 0 ? errno : 0;
        lock.lock();
        got_ = got;
        error_ = error;
        done_ = true;
        changed_.notify_all();
    }
}

}  // namespace tess
