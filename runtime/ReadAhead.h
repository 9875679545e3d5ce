#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>

namespace tess {

// Reads a file block by block on a thread of its own, one block ahead of its caller, so that
// the system's copying of the next block runs beside the work on the current one. Two blocks,
// each with `padBefore` bytes in front and `padAfter` behind, are all the memory it takes.
class ReadAhead {
public:
    ReadAhead(std::size_t blockSize, std::size_t padBefore, std::size_t padAfter);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Starts reading `fd` (which the caller owns) from its current offset.
    void start(int fd);
    // Waits for the block being read and hands it over in `data` and `size` (0 at the end of
    // the file), then starts reading the next one into the block handed over before, which the
    // caller must be done with. Returns 0, or the system's error number of the failed read.
    int next(char*& data, std::size_t& size);
    // Waits for a read in progress; after it the caller may close the file.
    void stop();

private:
    void run();
    void request(int block);

    const std::size_t blockSize_;
    const std::size_t padBefore_;
    std::unique_ptr<char[]> storage_[2];

    std::mutex mutex_;
    std::condition_variable changed_;
    int fd_ = -1;
    int wanted_ = -1;  // the block the thread is to read into next
    int reading_ = -1;
    bool done_ = false;
    long got_ = 0;
    int error_ = 0;
    int failed_ = 0;  // a failed read stays failed
    bool quitting_ = false;
    std::thread thread_;
};

}  // namespace tess
