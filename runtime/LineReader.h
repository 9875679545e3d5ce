#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/BufferSizes.h"
#include "runtime/Encoding.h"
#include "runtime/NonCharacters.h"
#include "runtime/PaddedBuffer.h"
#include "runtime/ReadAhead.h"
#include "runtime/SegmentScan.h"
#include "runtime/SourceMap.h"
#include "runtime/WaitSlice.h"

namespace tess {

// Reads a file line by line through a block buffer of its own, in flat memory whatever the
// length of a line: a line is handed out in parts, the whole of it when it lies in the block,
// else up to the block's end and on from the next block. A line ends at CR, CR LF or LF in the
// encoding's units; the end is not part of the line, and the last line may lack one. Line ends
// are found sixty-four bytes at a time. Every part handed out has kPadBefore readable bytes
// before it and kPadAfter after it.
// A file is read a block at a time. Asked to, the reader maps a regular file instead, when the
// system allows: a block is then a view of the mapping, and no byte is copied on the way in,
// but every page costs a page-table update, which is dearer than the copy where faults are slow
// (a virtual machine that shadows page tables).
// Operations that touch the file return 0, the system's error number, kCutShort or kWaiting.
// A pipe, a FIFO or a device is waited for a slice at a time, so the caller keeps its turns
// while a writer is slow or not there yet.
class LineReader {
public:
    // Another program cut the regular file short while it was read: it ended before the size it
    // had when opened, and a mapped one's pages that went read as zeros.
    static constexpr int kCutShort = -1;
    // The file had nothing to read within kWaitSliceMs, or a signal came while it was waited for:
    // nothing was lost, and the call may be made again.
    static constexpr int kWaiting = -2;

    explicit LineReader(std::size_t blockSize = kDefaultReadBlock, bool mapFiles = false);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    int open(const std::string& path);
    // The start of the file, for finding its encoding, without taking it from the lines: up to
    // 64 KiB of a regular file; of a pipe, what its reads bring until a byte-order mark's worth
    // came, at least the first read's, and what more is there at once, up to 64 KiB.
    // `endsSource` says whether the source ends with it. Valid until the next call.
    int sample(std::string_view& bytes, bool& endsSource);
    // How lines are found from here on; `skip` bytes at the very start (a byte-order mark) are
    // not part of the first line. Call after open, before the first line.
    void useEncoding(Encoding encoding, std::size_t skip);
    // While scanning for line ends, also notes where characters begin (the encoding's rules), so
    // that placeOf can count characters without reading the bytes again.
    void noteCharacters(bool note) { noting_ = note; }
    // Where `at` lies in the source: where a line that readPart handed out begins, or where its
    // end begins (the byte just after its last part). `chars` counts from the first line on, and
    // from one place to a later one it is the characters of the bytes between, when no line that
    // begins between them came in parts. Needs noteCharacters(true) from the start.
    struct Place {
        std::uint64_t offset = 0;
        std::uint64_t chars = 0;
    };
    Place placeOf(const char* at) const;
    // Sets `atEnd` when no more line can be read; reads the next block when it must.
    int atEnd(bool& atEnd)
    {
        if (pos_ < usable_ && !pendingLineFeed_) {
            atEnd = false;
            return 0;
        }
        return atEndOfBlock(atEnd);
    }
    // The next part of the current line; `lineEnds` tells whether the line ends after it. The
    // view is valid until the next call. At the end of the file the last part may be empty.
    // Inline for a line whose end is listed already: that is nearly every line.
    int readPart(std::string_view& part, bool& lineEnds)
    {
        if (nextEnd_ == endCount_)  // a CR that ends the block, if any, was the last listed end
            return readPartOfBlock(part, lineEnds);
        const std::size_t end = ends_[nextEnd_++];
        part = std::string_view(block_ + pos_, end - pos_);
        lineEnds = true;
        stepOverEnd(end);
        return 0;
    }
    // The lines whose ends are listed already, each whole in the block, for a loop that takes
    // many in a row: it works on a copy that the compiler can keep in registers, and gives it
    // back with resume(). A copy is valid until the next call that touches the reader.
    class ListedLines {
    public:
        // The next listed line, without its end; false when no more is listed.
        bool peek(std::string_view& line) const
        {
            if (next_ == count_)
                return false;
            line = std::string_view(block_ + pos_, ends_[next_] - pos_);
            return true;
        }
        // Steps past the peeked line and its end; `Form` is the units of the reader's encoding.
        template <class Form>
        void skip()
        {
            pos_ = PastLineEnd(block_, ends_[next_++], Form::kBytes, Form::kLowByte);
        }

    private:
        friend class LineReader;
        const char* block_;
        const std::uint32_t* ends_;
        std::size_t next_;
        std::size_t count_;
        std::size_t pos_;
    };
    ListedLines listedLines() const;
    // Takes the copy's place back; returns how many lines it passed.
    std::size_t resume(const ListedLines& lines)
    {
        const std::size_t passed = lines.next_ - nextEnd_;
        pos_ = lines.pos_, nextEnd_ = lines.next_;
        return passed;
    }
    // Lets another thread read a regular file's next block while this one splits the last:
    // `wake`, called on this thread, asks that thread to call serveReadAhead(), and the block is
    // read here as ever when it has not begun by the time it is needed. Call before open.
    void readAheadBy(std::function<void()> wake);
    void serveReadAhead() { readAhead_->serve(); }
    void close();

    bool isOpen() const { return fd_ >= 0; }
    // Up once the mapped file lost pages; lines handed out after it may hold zeros.
    const std::atomic<bool>& cutShortFlag() const { return map_.tornFlag(); }
    // Why the mapped file lost pages: kCutShort when its size went down, else EIO (the system
    // could not read them).
    int lostPagesCode() const;
    std::uint64_t sizeAtOpen() const { return size_; }
    // The file opened, as the system knows it whatever path leads to it.
    std::uint64_t device() const { return device_; }
    std::uint64_t inode() const { return inode_; }
    std::uint64_t bytesRead() const { return bytesRead_; }

private:
    // Line ends are listed a segment of the block at a time, so the list stays small.
    static constexpr std::size_t kSegment = 16 * 1024;

    int atEndOfBlock(bool& atEnd);
    int readPartOfBlock(std::string_view& part, bool& lineEnds);
    int fill();
    int readBlock();
    int append(ssize_t got, int error);
    int readMore();
    bool readsAtOnce() const;
    ssize_t readInto(char* block, std::size_t kept, int& error);
    ssize_t readWhenReady(char* to, std::size_t bytes, int& error);
    std::size_t storageSize() const;
    bool shrunk() const;
    bool cutWhileMapped();
    int viewNextBlock();
    void startBlock();
    int fillUntilData();
    int skipPendingLineFeed();
    void skipMark();
    void scanSegment();
    // The weight of the marks of the block's first `bytes` past its scan's origin (see
    // SegmentScan::weights), which end where a line or its end begins.
    std::uint64_t marksWeight(std::size_t bytes) const;
    static bool IsCr(const char* block, std::size_t at, std::size_t lowByte) { return block[at + lowByte] == '\r'; }
    static bool IsLf(const char* block, std::size_t at, std::size_t unit, std::size_t lowByte)
    {
        return block[at + lowByte] == '\n' && (unit == 1 || block[at + 1 - lowByte] == 0);
    }
    // Where the next line begins after the line end at `end`, when a unit of the block follows it.
    static std::size_t PastLineEnd(const char* block, std::size_t end, std::size_t unit, std::size_t lowByte)
    {
        const std::size_t past = end + unit;
        return IsCr(block, end, lowByte) && IsLf(block, past, unit, lowByte) ? past + unit : past;
    }
    bool isLf(std::size_t at) const { return IsLf(block_, at, unit_, lowByte_); }
    void stepOverEnd(std::size_t end)
    {
        const std::size_t past = end + unit_;
        if (past + unit_ > usable_) {  // no whole unit follows: the block's end, or a lone last byte
            if (past == usable_ && IsCr(block_, end, lowByte_))
                pendingLineFeed_ = true;  // its LF, if it has one, begins the next block
            pos_ = past;
            return;
        }
        pos_ = PastLineEnd(block_, end, unit_, lowByte_);
    }

    std::size_t blockSize_;
    bool mapFiles_;
    SourceMap map_;
    std::uint64_t blockOffset_ = 0;    // where a mapped file's block begins in it
    std::unique_ptr<char[]> storage_;  // a read block with room before and after it
    std::unique_ptr<ReadAhead> readAhead_;
    const char* block_ = nullptr;      // the block's data; read, then at least one zeroed chunk
    std::size_t pos_ = 0;              // where the next part begins
    std::size_t usable_ = 0;           // whole units in the block: what is scanned and handed out
    std::size_t len_ = 0;              // bytes in the block, a unit's first byte after usable_ included
    bool pendingLineFeed_ = false;     // a CR ended the last block: an LF that follows belongs to it
    bool eof_ = false;
    int fd_ = -1;
    bool regular_ = false;
    std::uint64_t size_ = 0;
    std::uint64_t device_ = 0;
    std::uint64_t inode_ = 0;
    std::uint64_t bytesRead_ = 0;
    std::size_t skip_ = 0;
    std::string sample_;

    Encoding encoding_ = Encoding::DoubleByte;
    std::size_t unit_ = 1;
    std::size_t lowByte_ = 0;  // where in a unit its low byte lies: 1 for big-endian UTF-16

    SegmentScanner scanner_ = FastestScanner();
    // The line ends found in the scanned part of the block.
    std::unique_ptr<std::uint32_t[]> ends_;
    std::size_t endCount_ = 0;
    std::size_t nextEnd_ = 0;
    std::size_t scanned_ = 0;
    std::size_t scanOrigin_ = 0;  // where the block's scan began: chunks lie at whole chunks from it
    std::uint64_t crBefore_ = 0;

    // How many characters begin, a chunk of the block at a time, while noting them.
    bool noting_ = false;
    std::unique_ptr<std::uint32_t[]> weights_;  // see SegmentScan
    NonCharacterCarry nonCharCarry_;
    std::uint64_t marksWeight_ = 0;      // of the block's scanned chunks
    std::uint64_t charsBeforeBlock_ = 0;  // from the first line to the block's scan origin
};

}  // namespace tess
