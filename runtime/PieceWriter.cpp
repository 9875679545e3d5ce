#include "runtime/PieceWriter.h"

#include "runtime/Folders.h"
#include "runtime/LineEnds.h"
#include "runtime/QuietThread.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <linux/magic.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace tess {

namespace {

// Whether /proc is the system's, through which any process can name a file it made nameless.
bool ProcNamesFiles()
{
    struct statfs fs;
    return ::statfs("/proc/self/fd", &fs) == 0 && fs.f_type == PROC_SUPER_MAGIC;
}

// A piece found there, opened to be appended to. A FIFO in a piece's place would hold this
// thread in open() until a reader came, and the run's stop with it: without one it is refused
// at once (ENXIO). It stays non-blocking, so that a write that waits for its reader can be
// given up.
int OpenFound(const std::string& path)
{
    return ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK);
}

// Passes over `bytes` written bytes of `parts`, and the empty parts after them.
void Skip(iovec*& parts, int& count, std::size_t bytes)
{
    for (; count > 0 && bytes >= parts->iov_len; ++parts, --count)
        bytes -= parts->iov_len;
    if (count > 0) {
        parts->iov_base = static_cast<char*>(parts->iov_base) + bytes;
        parts->iov_len -= bytes;
    }
}

// Waits a slice at a time until `fd` takes more, or tells why it will not (the write says so,
// for a reader gone): 0; ECANCELED once `giveUp` is up; else poll's error number.
int WaitUntilWritable(int fd, const std::atomic<bool>& giveUp)
{
    for (;;) {
        if (giveUp.load(std::memory_order_relaxed))
            return ECANCELED;
        pollfd ready{fd, POLLOUT, 0};
        const int polled = ::poll(&ready, 1, kWaitSliceMs);
        if (polled > 0)
            return 0;
        if (polled < 0 && errno != EINTR)
            return errno;
    }
}

// 0, or the system's error number (ECANCELED for a wait given up); `done` receives how many
// bytes were written either way.
int WriteAll(int fd, iovec* parts, int count, std::size_t& done, const std::atomic<bool>& giveUp)
{
    done = 0;
    for (Skip(parts, count, 0); count > 0;) {
        const ssize_t wrote = ::writev(fd, parts, count);
        if (wrote < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN)  // only a piece that is no regular file is left non-blocking
                return errno;
            if (const int code = WaitUntilWritable(fd, giveUp))
                return code;
            continue;
        }
        if (wrote == 0)
            return EIO;
        done += static_cast<std::size_t>(wrote);
        Skip(parts, count, static_cast<std::size_t>(wrote));
    }
    return 0;
}

}  // namespace

PieceWriter::PieceWriter(std::size_t bufferSize, std::size_t buffers, std::size_t mostPerWrite)
    : bufferSize_(std::max<std::size_t>(bufferSize, 2)),
      mostPerWrite_(std::max<std::size_t>(mostPerWrite, 1)),
      current_(new char[bufferSize_])
{
    for (std::size_t i = 1; i < std::max<std::size_t>(buffers, 2); ++i)
        spare_.emplace_back(new char[bufferSize_]);
    canName_ = ProcNamesFiles();
    thread_ = QuietThread([this] { run(); });
}

PieceWriter::~PieceWriter()
{
    finish();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quitting_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void PieceWriter::setLineEnd(std::string_view bytes)
{
    assert(bytes.size() == 2 || bytes.size() == 4);
    lineEndSize_ = std::min(bytes.size(), sizeof lineEnd_);
    std::memcpy(lineEnd_, bytes.data(), lineEndSize_);
}

void PieceWriter::setFileMark(std::string_view bytes)
{
    mark_ = bytes;
}

void PieceWriter::open(const std::string& path)
{
    close();
    if (piecesInBuffer_ == kMostPiecesPerBuffer)
        handOver();
    ++piecesInBuffer_;
    commands_.push_back({Kind::Open, path});
    segmentStart_ = used_;
    open_ = true;
}

void PieceWriter::close()
{
    abandonLine();
    if (!open_)
        return;
    endSegment(used_);
    commands_.push_back({Kind::Close, {}});
    open_ = false;
}

// The open piece's bytes in the current buffer up to `end` become one write.
void PieceWriter::endSegment(std::size_t end)
{
    if (end > segmentStart_)
        commands_.push_back({Kind::Write, {}, segmentStart_, end - segmentStart_, linesInSegment_});
    segmentStart_ = end;
    linesInSegment_ = 0;
}

void PieceWriter::writeSpilling(std::string_view line)
{
    writePart(line);
    endLine();
}

void PieceWriter::writePart(std::string_view bytes)
{
    append(bytes.data(), bytes.size());
}

void PieceWriter::endLine()
{
    append(lineEnd_, lineEndSize_);
    lineEnded();
}

void PieceWriter::abandonLine()
{
    const bool partWritten = lineStart_ < 0;
    if (partWritten && open_)
        commands_.push_back({Kind::CutBack, {}});
    used_ = partWritten ? 0 : static_cast<std::size_t>(lineStart_);
    lineStart_ = static_cast<std::ptrdiff_t>(used_);
}

void PieceWriter::append(const char* bytes, std::size_t count)
{
    while (count > 0) {
        if (used_ == bufferSize_)
            handOver();
        const std::size_t part = std::min(count, bufferSize_ - used_);
        std::memcpy(current_.get() + used_, bytes, part);
        used_ += part;
        bytes += part;
        count -= part;
    }
}

// Queues the current buffer up to its last whole line, with its commands, and goes on in a
// spare one. The unfinished line's bytes move to the spare's start, so that a write ends
// inside a line only when one line fills a whole buffer.
void PieceWriter::handOver()
{
    if (holdBack_ != nullptr && holdBack_->load(std::memory_order_relaxed))
        return refuseTheRest();
    const std::size_t cut = lineStart_ > 0 ? static_cast<std::size_t>(lineStart_) : used_;
    if (open_)
        endSegment(cut);
    const std::size_t unfinished = used_ - cut;
    if (commands_.empty()) {
        std::memmove(current_.get(), current_.get() + cut, unfinished);  // nothing for the thread
    } else {
        std::unique_ptr<char[]> next = takeSpare();
        std::memcpy(next.get(), current_.get() + cut, unfinished);
        queue(std::exchange(current_, std::move(next)));
    }
    used_ = unfinished;
    segmentStart_ = 0;
    lineStart_ -= static_cast<std::ptrdiff_t>(cut);
}

// Drops what the caller's thread holds and has the writing thread fail in place of writing it.
void PieceWriter::refuseTheRest()
{
    commands_.clear();
    commands_.push_back({Kind::Refuse, {}});
    used_ = segmentStart_ = linesInSegment_ = 0;
    lineStart_ = 0;
    open_ = false;
    queue(std::exchange(current_, takeSpare()));
}

// Waits for the writing thread to give a buffer back when none is spare: this is what keeps
// memory flat.
std::unique_ptr<char[]> PieceWriter::takeSpare()
{
    std::unique_lock<std::mutex> lock(mutex_);
    waitUntil(lock, [this] { return !spare_.empty(); });
    std::unique_ptr<char[]> spare = std::move(spare_.back());
    spare_.pop_back();
    return spare;
}

void PieceWriter::queue(std::unique_ptr<char[]> buffer)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back({std::move(buffer), std::move(commands_)});
    }
    commands_.clear();
    piecesInBuffer_ = 0;
    changed_.notify_all();
}

void PieceWriter::offerIdleWork()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        idleOffered_ = true;
    }
    changed_.notify_all();
}

bool PieceWriter::finish()
{
    close();
    handOver();
    std::unique_lock<std::mutex> lock(mutex_);
    waitUntil(lock, [this] { return queue_.empty() && !busy_; });
    return !failed();
}

template <class Ready>
void PieceWriter::waitUntil(std::unique_lock<std::mutex>& lock, Ready ready)
{
    while (!changed_.wait_for(lock, std::chrono::milliseconds(kWaitSliceMs), ready)) {
        if (!whileWaiting_)
            continue;
        lock.unlock();
        if (whileWaiting_())
            giveUp_.store(true, std::memory_order_relaxed);
        lock.lock();
    }
}

void PieceWriter::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return quitting_ || !queue_.empty() || idleOffered_; });
        if (queue_.empty()) {
            if (quitting_)
                return;
            idleOffered_ = false;
            lock.unlock();
            if (idleWork_)
                idleWork_();
            lock.lock();
            continue;
        }
        Batch batch = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        for (const Command& command : batch.commands)
            execute(command, batch.buffer.get());
        lock.lock();
        spare_.push_back(std::move(batch.buffer));
        busy_ = false;
        changed_.notify_all();
    }
}

void PieceWriter::execute(const Command& command, const char* buffer)
{
    if (failed())
        return;  // after a failure nothing more is created or written
    switch (command.kind) {
    case Kind::Open:
        openFile(command.path);
        break;
    case Kind::Write:
        writeSegment(buffer + command.offset, command);
        break;
    case Kind::CutBack:
        if (const int code = cutBackToLastLine())
            fail(Step::Write, code);
        break;
    case Kind::Close:
        closePiece();
        break;
    case Kind::Refuse:
        if (fd_ >= 0)
            (void)cutBackToLastLine();  // a failure is reported already
        fail(Step::Write, ECANCELED);
        break;
    }
}

void PieceWriter::openFile(const std::string& path)
{
    path_ = path;
    linesAtOpen_ = written_.lines;
    bytesAtOpen_ = written_.bytes;
    hidden_ = created_ = false;
    // A piece is made only where nothing is, not even a link that leads nowhere: opening one
    // fails at once (ENOENT).
    struct stat there;
    if (::lstat(path_.c_str(), &there) != 0 && errno == ENOENT)
        createFile();
    else
        fd_ = OpenFound(path_);
    if (fd_ < 0)
        return fail(Step::Open, errno);
    ++written_.pieces;
    fileEnd_ = lastLineEnd_ = openedAt_ = 0;
    lead_ = mark_;
    if (created_)  // it holds nothing: no need to ask
        return;
    struct stat info;
    if (::fstat(fd_, &info) != 0 || (S_ISREG(info.st_mode) && ::fcntl(fd_, F_SETFL, O_APPEND) != 0))
        return fail(Step::Open, errno);
    if (spared_ && info.st_dev == sparedDevice_ && info.st_ino == sparedInode_) {
        --written_.pieces;  // opened, never written: it stays as it was
        return fail(Step::Spare, EEXIST);
    }
    fileEnd_ = lastLineEnd_ = openedAt_ = static_cast<std::uint64_t>(info.st_size);
    if (fileEnd_ > 0)  // so that the next line stands apart rather than joining the bytes before it
        lead_ = S_ISREG(info.st_mode) && endsInsideALine() ? std::string_view(lineEnd_, lineEndSize_)
                                                           : std::string_view();
}

// A piece found ending inside a line: a run killed while writing a long one, or a file written
// by hand; not one that holds its encoding's mark alone, as an editor saves an empty text. False
// when it cannot be read: it is appended to unseen, as ever.
bool PieceWriter::endsInsideALine() const
{
    const std::size_t unit = lineEndSize_ / 2;
    const int reader = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (reader < 0)
        return false;
    char tail[4];
    const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(fileEnd_, sizeof tail));
    const ssize_t got = ::pread(reader, tail, wanted, static_cast<off_t>(fileEnd_ - wanted));
    ::close(reader);
    if (got < 0)
        return false;
    if (static_cast<std::size_t>(got) != wanted || wanted < unit)
        return true;
    const std::string_view found(tail, wanted);
    if (!encodingMark_.empty() && fileEnd_ == encodingMark_.size() && found == encodingMark_)
        return false;
    const std::string_view last = found.substr(wanted - unit);
    return last != std::string_view(lineEnd_, unit) && last != std::string_view(lineEnd_ + unit, unit);
}

// A piece that is not there yet is made without a name where the system allows, and named once
// it is closed, so that a process killed while writing it (inside a write, between the parts of
// a long line, before its first line) leaves no piece rather than a torn or empty one.
// Elsewhere it is created exclusively; a file that appeared meanwhile is appended to.
void PieceWriter::createFile()
{
    if (canName_ && (fd_ = openNameless()) >= 0) {
        hidden_ = created_ = true;
        return;
    }
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0666);
    created_ = fd_ >= 0;
    if (fd_ < 0 && errno == EEXIST)
        fd_ = OpenFound(path_);
}

// A file without a name in the piece's folder, or -1 where the system makes none there.
int PieceWriter::openNameless() const
{
    return ::open(FolderOf(path_).c_str(), O_TMPFILE | O_WRONLY | O_APPEND | O_CLOEXEC, 0666);
}

// 0, or the system's error number: a nameless piece that kept a line gets its name, unless a
// file took that name meanwhile; one that kept none never gets it, nor one whose torn last line
// could not be cut off. The file itself is named where the system lets this process do so
// (AT_EMPTY_PATH), else through /proc, which costs a lookup more.
int PieceWriter::name()
{
    if (!hidden_ || lastLineEnd_ == 0 || fileEnd_ != lastLineEnd_)
        return 0;
    if (::linkat(fd_, "", AT_FDCWD, path_.c_str(), AT_EMPTY_PATH) != 0) {
        if (errno != ENOENT)
            return errno;
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path_.c_str(), AT_SYMLINK_FOLLOW) != 0)
            return errno;
    }
    hidden_ = false;
    return 0;
}

// Names the piece, then closes it; a failure of either fails the writer.
void PieceWriter::closePiece()
{
    const int named = name();
    const int closed = closeFile();
    if (named)
        fail(Step::Open, named);
    else if (closed)
        fail(Step::Close, closed);
}

// 0, or the system's error number. A piece this run created that kept no line, or never got
// its name, is not a piece: it goes, and nothing written to it counts; one that was there
// before always stays.
int PieceWriter::closeFile()
{
    const int code = ::close(fd_) == 0 ? 0 : errno;
    fd_ = -1;
    if (created_ && (hidden_ || lastLineEnd_ == 0)) {
        if (!hidden_)
            (void)::unlink(path_.c_str());  // at worst an empty file stays, as before
        --written_.pieces;
        written_.lines = linesAtOpen_;
        written_.bytes = bytesAtOpen_;
    }
    return code;
}

// The lead (an empty piece's mark, or the line end that a piece found inside a line needs) goes
// in the same write as the first bytes, so that a piece never holds it alone: it is written,
// counted and cut off with the first line.
void PieceWriter::writeSegment(const char* bytes, const Command& command)
{
    std::size_t lead = fileEnd_ == openedAt_ ? lead_.size() : 0;  // nothing written since it opened
    const std::uint64_t at = fileEnd_ + lead;  // where the bytes go
    const std::string_view lineEnd(lineEnd_, lineEndSize_);
    for (std::size_t sent = 0; sent < command.size; lead = 0) {
        const std::uint64_t intoLine = sent == 0 ? at - lastLineEnd_ : 0;  // a later write starts a line
        const std::size_t size = WholeLinesWithin(bytes + sent, command.size - sent, mostPerWrite_, lineEnd, intoLine);
        iovec parts[] = {{const_cast<char*>(lead_.data()), lead}, {const_cast<char*>(bytes + sent), size}};
        std::size_t done = 0;
        const int code = WriteAll(fd_, parts, 2, done, giveUp_);
        fileEnd_ += done;
        if (code) {
            keepWholeLinesOf(bytes, sent + (done > lead ? done - lead : 0), at);
            (void)cutBackToLastLine();  // nothing more can be done if it fails
            return fail(Step::Write, code);
        }
        sent += size;
    }
    if (command.lines > 0)  // then the bytes end with a line's end
        reachLineEnd(fileEnd_);
    written_.lines += command.lines;
}

// Bytes count once the line they belong to is whole, so a torn line never counts.
void PieceWriter::reachLineEnd(std::uint64_t offset)
{
    written_.bytes += offset - lastLineEnd_;
    lastLineEnd_ = offset;
}

// After a write that failed part-way, `landed` of the `bytes` meant for offset `at` are in the
// piece: the whole lines among them count and stay. Code units are counted from the last line
// end, or from the piece's start, mark and all: a mark is whole code units.
void PieceWriter::keepWholeLinesOf(const char* bytes, std::size_t landed, std::uint64_t at)
{
    const std::string_view lineEnd(lineEnd_, lineEndSize_);
    const LineEnds whole = FindLineEnds(bytes, landed, lineEnd, at - lastLineEnd_);
    written_.lines += whole.count;
    if (whole.count > 0)
        reachLineEnd(at + whole.pastLast);
}

// 0, or the system's error number.
int PieceWriter::cutBackToLastLine()
{
    if (fileEnd_ > lastLineEnd_) {
        if (::ftruncate(fd_, static_cast<off_t>(lastLineEnd_)) != 0)
            return errno;
        fileEnd_ = lastLineEnd_;
    }
    return 0;
}

void PieceWriter::fail(Step step, int code)
{
    failure_ = {step, path_, code};
    if (fd_ >= 0) {
        (void)name();  // the whole lines it kept stay; a failure is reported already
        (void)closeFile();
    }
    failed_.store(true, std::memory_order_relaxed);
}

}  // namespace tess
