#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "runtime/BufferSizes.h"
#include "runtime/LineMoves.h"
#include "runtime/PaddedBuffer.h"
#include "runtime/WaitSlice.h"

namespace tess {

// Appends lines, each followed by a line end, to one piece file at a time. Lines are gathered in
// large buffers that a thread of its own writes out, so the system's copying of the bytes runs
// beside the reading and splitting instead of after it. A buffer goes to that thread when it is
// full, with the opening and closing of the pieces whose lines it holds, so the two threads
// meet once a buffer, not once a piece. Memory stays at `buffers` buffers.
//
// A buffer is handed over up to its last whole line; the unfinished line moves on to the next
// one. So every write ends with a line's end, and a process killed between two writes leaves
// whole lines only. A single line longer than a buffer is the exception: it is written a buffer
// at a time, and cut off again if the run leaves it unfinished. A buffer's bytes for one piece
// go in writes of at most `mostPerWrite` bytes, each ending at a line end where one lies within
// that many; where none does, for a line that long, the rest of those bytes go in one write.
// A piece that was not there is made without a name where the system allows (O_TMPFILE) and
// named when closed, so a process killed inside a write or inside a long line leaves no piece
// rather than a torn one; a piece found there is appended to in place.
//
// Failures happen on that thread and are sticky: once one has happened, nothing more is opened
// or written, and failed() turns true. finish() closes the open piece, waits for everything
// handed over and says how it went; failure() then says what failed, on which path, with the
// system's error number.
// A write that fails part-way is cut back to the end of its last whole line, so a piece never
// ends in a torn line that a later run would append to; written() counts what stayed. A piece
// this run created that holds no line when it is closed, or when writing failed, is removed.
class PieceWriter {
public:
    // Spare: the piece is the file given to spare(), and was not written.
    enum class Step { Open, Write, Close, Spare };
    struct Failure {
        Step step = Step::Open;
        std::string path;
        int code = 0;
    };

    // What reached the pieces: files opened and kept, the whole lines written, and the bytes the
    // pieces gained by them, file marks included.
    struct Written {
        std::uint64_t pieces = 0;
        std::uint64_t lines = 0;
        std::uint64_t bytes = 0;
    };

    // Large buffers keep the two threads' meetings few, which costs most where a wake-up goes
    // through the host; but ext4 made its copy into the page cache two to three times dearer
    // for writes of 1 MiB than for writes of 256 KiB, all of it system time.
    static constexpr std::size_t kMostPerWrite = 256 * 1024;
    // A buffer is handed over once it holds this many pieces, whether full or not: each piece's
    // opening keeps its path, and a buffer of one-line pieces of a few bytes would hold hundreds
    // of thousands of them. A stop writes out what the buffers hold, and on ext4 a piece's
    // creation takes about a third of a millisecond: 1024 a buffer made such a stop last 0.5-0.7 s.
    static constexpr std::size_t kMostPiecesPerBuffer = 64;

    explicit PieceWriter(std::size_t bufferSize = kDefaultWriteBuffer, std::size_t buffers = 3,
                         std::size_t mostPerWrite = kMostPerWrite);
    // Finishes, which closes the open piece, then stops the thread.
    ~PieceWriter();
    PieceWriter(const PieceWriter&) = delete;
    PieceWriter& operator=(const PieceWriter&) = delete;

    // The bytes that end each line: CR LF (the default) in the text's code unit, so 2 bytes, or
    // 4 for UTF-16; no other size. Lines must not hold them themselves, where a code unit
    // begins: after a failed write they tell where the last whole line ends. Set before the
    // first open.
    void setLineEnd(std::string_view bytes);
    // Bytes that begin every piece that is empty when opened, such as a byte order mark; a piece
    // that holds bytes already is appended to without them. None by default. They go in with
    // the piece's first line, so a piece given none stays empty. Set before the first open.
    void setFileMark(std::string_view bytes);
    // The byte order mark of the pieces' encoding, whether new pieces get it or not: a piece
    // found holding it and nothing else holds no line yet, so its first line goes straight after
    // it. None by default. Set before the first open.
    void setEncodingMark(std::string_view bytes) { encodingMark_ = bytes; }
    // Once `flag` is up, nothing more reaches the pieces: what is buffered then is dropped, a
    // line the pieces hold a part of is cut off, and the writer fails (a write, ECANCELED). For
    // bytes that may have turned bad after they were given; the flag must outlive the writer.
    void holdBackWhen(const std::atomic<bool>& flag) { holdBack_ = &flag; }
    // A file never to be written, the source: a piece found to be it (a link to it in a piece's
    // place) fails to open (Step::Spare). Set before the first open.
    void spare(std::uint64_t device, std::uint64_t inode)
    {
        spared_ = true;
        sparedDevice_ = device;
        sparedInode_ = inode;
    }
    // Opens `path` for appending, creating it when missing, once the open piece is closed.
    void open(const std::string& path);
    // The room left in the current buffer, for a loop that writes many whole lines in a row: it
    // puts them into a copy that the compiler can keep in registers, and gives it back with
    // took(). A copy is valid until the next call that touches the writer.
    class LineSink {
    public:
        // Copies `line`, which has kPadAfter readable bytes after it as LineReader hands out, and
        // the line end; false, copying nothing, when the buffer lacks the room. A line of up to
        // 124 bytes goes in unconditional vector moves (`Moves`, see LineMoves.h) rather than by
        // a call.
        template <class Moves = moves::Narrow>
        bool put(std::string_view line)
        {
            static_assert(kPadAfter >= 128);
            if (line.size() > 128 - sizeof lineEnd_)
                return putCopied(line);
            if (end_ - at_ < 128)
                return false;
            // The buffer was last read by the writing thread's core, which holds its lines: asked
            // for ahead, they are this core's, to write, by the time the moves reach them.
            __builtin_prefetch(at_ + 2048, 1);
            // A fixed size: moves written out, since a memcpy of a known size may still become a
            // string instruction whose start-up costs more than the line. Both halves go whatever
            // the line's size: a quarter of lines need the second, at random, and the branch
            // would be mispredicted more than the moves cost.
            Moves::Copy64(at_, line.data());
            Moves::Copy64(at_ + 64, line.data() + 64);
            return ended(line.size());
        }
        std::size_t linesPut() const { return lines_; }
        // As put, for a line of any length with no readable bytes after it.
        bool putCopied(std::string_view line)
        {
            if (static_cast<std::size_t>(end_ - at_) < line.size() + sizeof lineEnd_)
                return false;
            std::memcpy(at_, line.data(), line.size());
            return ended(line.size());
        }

    private:
        // The line end goes in as four bytes whatever its size: one move, with no branch.
        bool ended(std::size_t size)
        {
            std::memcpy(at_ + size, lineEnd_, sizeof lineEnd_);
            at_ += size + lineEndSize_;
            ++lines_;
            return true;
        }

        friend class PieceWriter;
        char* at_;
        char* end_;
        char lineEnd_[4];
        std::size_t lineEndSize_;
        std::size_t lines_;
    };
    LineSink lineSink()
    {
        LineSink sink;
        sink.at_ = current_.get() + used_;
        sink.end_ = current_.get() + bufferSize_;
        std::memcpy(sink.lineEnd_, lineEnd_, sizeof lineEnd_);
        sink.lineEndSize_ = lineEndSize_;
        sink.lines_ = 0;
        return sink;
    }
    // Takes back what `sink` put; returns the bytes it put.
    std::size_t took(const LineSink& sink)
    {
        const auto bytes = static_cast<std::size_t>(sink.at_ - (current_.get() + used_));
        used_ += bytes;
        linesInSegment_ += sink.lines_;
        lineStart_ = static_cast<std::ptrdiff_t>(used_);
        return bytes;
    }
    // Appends `line` (after the parts of an unfinished line, if any) and the line end.
    void writeLine(std::string_view line)
    {
        LineSink sink = lineSink();
        if (!sink.putCopied(line))
            return writeSpilling(line);
        took(sink);
    }
    // As writeLine, for a line with kPadAfter readable bytes after it, as LineReader hands out.
    void writePaddedLine(std::string_view line)
    {
        LineSink sink = lineSink();
        if (!sink.put(line))
            return writeLine(line);
        took(sink);
    }
    // Bytes of a line given in parts, of any length, as many times as it takes; memory stays
    // at the buffers. writeLine and endLine end the line.
    void writePart(std::string_view bytes);
    // Ends the line given in parts with the line end.
    void endLine();
    // Drops the line given in parts: what of it is still buffered is forgotten, and what of it
    // already reached the piece is cut off again, back to the piece's last whole line.
    void abandonLine();
    // Closes the open piece once what it was given is written, dropping an unfinished line.
    void close();
    // Closes the open piece, dropping an unfinished line, and waits until everything handed
    // over is done; false when something failed.
    bool finish();

    // Called on the caller's thread after each kWaitSliceMs that it waits for the writing thread
    // (for a spare buffer, or in finish()), so that a slow piece leaves the caller its turns.
    // Once it returns true, a write that waits for a reader (a piece that is a FIFO or a pipe)
    // is given up, and the writer fails (a write, ECANCELED); a regular file's writes are always
    // finished. Set before the first open.
    void whileWaiting(std::function<bool()> turn) { whileWaiting_ = std::move(turn); }

    // Work for the writing thread when it has nothing to write: run there once after each
    // offerIdleWork(), when the buffers handed over are written. Set before the first offer.
    void setIdleWork(std::function<void()> work) { idleWork_ = std::move(work); }
    void offerIdleWork();

    bool isOpen() const { return open_; }
    bool failed() const { return failed_.load(std::memory_order_relaxed); }
    // What failed; meaningful once finish() has returned false.
    const Failure& failure() const { return failure_; }
    // Meaningful once finish() has returned.
    const Written& written() const { return written_; }

private:
    void lineEnded()
    {
        lineStart_ = static_cast<std::ptrdiff_t>(used_);
        ++linesInSegment_;
    }

    enum class Kind { Open, Write, CutBack, Close, Refuse };
    struct Command {
        Kind kind;
        std::string path;       // Open
        std::size_t offset = 0;  // Write: the bytes of the batch's buffer to write
        std::size_t size = 0;
        std::size_t lines = 0;   // Write: the line ends among them
    };
    // A buffer and what to do with it, in order.
    struct Batch {
        std::unique_ptr<char[]> buffer;
        std::vector<Command> commands;
    };

    void writeSpilling(std::string_view line);
    void append(const char* bytes, std::size_t count);
    void endSegment(std::size_t end);
    void handOver();
    void refuseTheRest();
    std::unique_ptr<char[]> takeSpare();
    template <class Ready>
    void waitUntil(std::unique_lock<std::mutex>& lock, Ready ready);
    void queue(std::unique_ptr<char[]> buffer);
    void run();
    void execute(const Command& command, const char* buffer);
    void openFile(const std::string& path);
    bool endsInsideALine() const;
    void createFile();
    int openNameless() const;
    int name();
    void closePiece();
    int closeFile();
    void writeSegment(const char* bytes, const Command& command);
    void keepWholeLinesOf(const char* bytes, std::size_t landed, std::uint64_t at);
    int cutBackToLastLine();
    void reachLineEnd(std::uint64_t offset);
    void fail(Step step, int code);

    const std::size_t bufferSize_;
    const std::size_t mostPerWrite_;
    // Set before the first open, then read by both threads.
    char lineEnd_[4] = {'\r', '\n'};
    std::size_t lineEndSize_ = 2;
    std::string mark_;
    std::string encodingMark_;
    std::string_view lead_;  // what the open piece's first write begins with
    std::unique_ptr<char[]> current_;  // filled by the caller's thread
    std::vector<Command> commands_;    // what the current buffer's bytes are for
    std::size_t used_ = 0;
    std::size_t segmentStart_ = 0;     // where the open piece's bytes begin in the current buffer
    // Where the line being copied begins in the current buffer (used_ between lines); below 0
    // when it began that many bytes before it, in buffers already handed over.
    std::ptrdiff_t lineStart_ = 0;
    std::size_t linesInSegment_ = 0;
    std::size_t piecesInBuffer_ = 0;
    bool open_ = false;
    const std::atomic<bool>* holdBack_ = nullptr;
    bool spared_ = false;
    std::uint64_t sparedDevice_ = 0;
    std::uint64_t sparedInode_ = 0;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> queue_;
    std::vector<std::unique_ptr<char[]>> spare_;
    bool busy_ = false;
    bool quitting_ = false;
    bool idleOffered_ = false;
    std::function<void()> idleWork_;
    std::function<bool()> whileWaiting_;
    std::atomic<bool> giveUp_{false};

    // Owned by the writing thread until finish() has seen the queue empty.
    int fd_ = -1;
    std::string path_;
    bool created_ = false;        // by this run, so it may be removed when it keeps nothing
    bool hidden_ = false;         // created without a name, which it gets once closed
    // A nameless file can always be named through its entry in /proc: where that is missing,
    // pieces are created with their names.
    bool canName_ = false;
    std::uint64_t linesAtOpen_ = 0;  // written_ before the open piece
    std::uint64_t bytesAtOpen_ = 0;
    std::uint64_t fileEnd_ = 0;   // the open file's size
    std::uint64_t lastLineEnd_ = 0;  // where its last whole line, or what it held before, ends
    std::uint64_t openedAt_ = 0;  // its size when opened: while it still has it, the lead is due
    Written written_;
    Failure failure_;
    std::atomic<bool> failed_{false};

    std::thread thread_;
};

}  // namespace tess
