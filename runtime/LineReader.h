#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tess {

// Reads a file line by line through a buffer of its own. A line ends at CR, CR LF or LF; the
// end is not part of the line, and the last line may lack one. Only the current line is held:
// it lives in the block buffer, or in a line buffer of its own when it spans blocks.
// Operations that touch the file return 0 or the system's error number.
class LineReader {
public:
    static constexpr std::size_t kDefaultBlock = 1 << 20;

    explicit LineReader(std::size_t blockSize = kDefaultBlock);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    int open(const std::string& path);
    // Sets `atEnd` when no more line can be read; reads the next block when it must.
    int atEnd(bool& atEnd);
    // The next line; the view is valid until the next call. At the end it is empty.
    int readLine(std::string_view& line);
    void close();

    bool isOpen() const { return fd_ >= 0; }
    std::uint64_t sizeAtOpen() const { return size_; }
    std::uint64_t bytesRead() const { return bytesRead_; }

private:
    int fill();
    int skipPendingLineFeed();

    std::size_t blockSize_;
    std::unique_ptr<char[]> block_;
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool pendingLineFeed_ = false;  // a CR ended the last block: an LF that follows belongs to it
    bool eof_ = false;
    std::string spanning_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::uint64_t bytesRead_ = 0;
};

}  // namespace tess
