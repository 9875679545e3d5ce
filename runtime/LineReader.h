#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/CodePage.h"
#include "runtime/PaddedBuffer.h"

namespace tess {

// Reads a file line by line through a block buffer of its own. A line ends at CR, CR LF or LF;
// the end is not part of the line, and the last line may lack one. Only the current line is
// held: it lives in the block, or in a line buffer of its own when it spans blocks.
// Line ends, and CP936 characters when asked for, are found sixty-four bytes at a time.
// Every line handed out has kPadBefore readable bytes before it and kPadAfter after it.
// Operations that touch the file return 0 or the system's error number.
class LineReader {
public:
    static constexpr std::size_t kDefaultBlock = 1 << 20;

    explicit LineReader(std::size_t blockSize = kDefaultBlock);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // From the next open on, every line's characters are counted in `codePage`.
    void countCharacters(CodePage codePage);

    int open(const std::string& path);
    // Sets `atEnd` when no more line can be read; reads the next block when it must.
    int atEnd(bool& atEnd);
    // The next line; the view is valid until the next call. At the end it is empty.
    int readLine(std::string_view& line);
    // Characters of the last line read, when counting.
    std::size_t lineChars() const { return lineChars_; }
    // Closes the file and gives back the memory a long line took.
    void close();

    bool isOpen() const { return fd_ >= 0; }
    std::uint64_t sizeAtOpen() const { return size_; }
    std::uint64_t bytesRead() const { return bytesRead_; }

private:
    // Line ends are listed a segment of the block at a time, so the list stays small.
    static constexpr std::size_t kSegment = 16 * 1024;

    int fill();
    int skipPendingLineFeed();
    void scanSegment();
    void listEnds(std::size_t chunk, std::uint64_t ends);
    void listEndsWithTrails(std::size_t chunk, std::uint64_t ends, std::uint64_t trails);
    void takeLine(std::size_t end, std::string_view& line, bool spans);

    std::size_t blockSize_;
    std::unique_ptr<char[]> storage_;  // the block with room before and after it
    char* block_;                      // the block's data, then at least one zeroed chunk
    std::size_t pos_ = 0;              // where the next line begins
    std::size_t len_ = 0;
    bool pendingLineFeed_ = false;     // a CR ended the last block: an LF that follows belongs to it
    bool eof_ = false;
    PaddedBuffer spanning_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::uint64_t bytesRead_ = 0;

    // The line ends found in the scanned part of the block, and before each of them the number
    // of CP936 trail bytes in the block (a character of two bytes counts one).
    std::unique_ptr<std::uint32_t[]> ends_;
    std::unique_ptr<std::uint32_t[]> trailsBefore_;
    std::size_t endCount_ = 0;
    std::size_t nextEnd_ = 0;
    std::size_t scanned_ = 0;
    std::uint64_t crBefore_ = 0;
    std::uint64_t carry_ = 0;  // a CP936 lead waits for its trail in the next chunk
    std::size_t trailsScanned_ = 0;
    std::size_t trailsBeforeLine_ = 0;
    bool counting_ = false;
    bool countingCp936_ = false;
    CodePage codePage_ = CodePage::Cp936;
    std::size_t lineChars_ = 0;
};

}  // namespace tess
