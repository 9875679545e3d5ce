#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace tess {

// A regular file mapped read-only, with a page of zeros before and after it, so that a scan may
// read a vector's width past either end without a bounds test. The bytes after the file's end
// read as zeros.
//
// Another program may cut the file short while it is mapped; reading a page past the new end
// would kill the process with SIGBUS. Instead such a page is replaced by zeros and torn() turns
// true, for the reader to report the file as failed. A SIGBUS outside every mapping keeps the
// action it had.
class SourceMap {
public:
    SourceMap() = default;
    ~SourceMap() { unmap(); }
    SourceMap(const SourceMap&) = delete;
    SourceMap& operator=(const SourceMap&) = delete;

    // Maps the first `size` bytes of `fd`; false (with nothing mapped) when the system refuses,
    // or `size` is 0, and the file must then be read instead.
    bool map(int fd, std::uint64_t size);
    void unmap();

    bool mapped() const { return data_ != nullptr; }
    const char* data() const { return data_; }
    std::uint64_t size() const { return size_; }
    bool torn() const { return torn_.load(std::memory_order_relaxed); }
    const std::atomic<bool>& tornFlag() const { return torn_; }
    // For a cut that no fault shows: the bytes past the new end within its last page read as
    // zeros, with no SIGBUS.
    void markTorn() { torn_.store(true); }
    // Hands the pages wholly before `offset` back to the system, so that memory stays flat
    // however far the reading has gone; they are read again from the file if touched.
    void release(std::uint64_t offset);

private:
    char* region_ = nullptr;  // the zero page, the file, the zero page
    std::size_t regionSize_ = 0;
    const char* data_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint64_t released_ = 0;
    int slot_ = -1;  // in the table the SIGBUS handler searches
    std::atomic<bool> torn_{false};
};

}  // namespace tess
