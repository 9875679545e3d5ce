#include "runtime/LineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/ChunkScan.h"
#include "runtime/DetectEncoding.h"
#include "runtime/NonCharacterScan.h"

namespace tess {

namespace {
// Room for a whole segment of line ends and the four a chunk lists unconditionally.
constexpr std::size_t kEndSlots = 16 * 1024 + 4;
// Pages of a mapped file behind the reading are given back this many bytes at a time.
constexpr std::uint64_t kReleaseStep = 4 << 20;
}  // namespace

LineReader::LineReader(std::size_t blockSize, bool mapFiles)
    // Room for a unit of two bytes; at most 1 GiB, so that a block's weights fit 32 bits.
    : blockSize_(std::clamp<std::size_t>(blockSize, 2, std::size_t{1} << 30)),
      mapFiles_(mapFiles),
      ends_(new std::uint32_t[kEndSlots]),
      weights_(new std::uint32_t[blockSize_ / chunk::kBytes + 1])
{
    static_assert(kSegment % chunk::kBytes == 0 && kEndSlots >= kSegment + 4);
}

LineReader::~LineReader() { close(); }

int LineReader::open(const std::string& path)
{
    close();
    // A FIFO opened to block would keep its opener until a writer came; opened so, it is waited
    // for where it is read, a slice at a time.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == EINTR ? kWaiting : errno;
    struct stat info;
    int code = ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
    if (code == 0 && S_ISREG(info.st_mode) && ::fcntl(fd, F_SETFL, 0) != 0)
        code = errno;
    if (code != 0) {
        ::close(fd);
        return code;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    fd_ = fd;
    regular_ = S_ISREG(info.st_mode);
    size_ = static_cast<std::uint64_t>(info.st_size);
    device_ = static_cast<std::uint64_t>(info.st_dev);
    inode_ = static_cast<std::uint64_t>(info.st_ino);
    if (regular_ && mapFiles_ && map_.map(fd, size_)) {
        block_ = map_.data();
    } else {
        if (!storage_)
            storage_.reset(new char[storageSize()]());
        block_ = storage_.get() + kPadBefore;
    }
    blockOffset_ = 0;
    pos_ = usable_ = len_ = scanned_ = scanOrigin_ = endCount_ = nextEnd_ = skip_ = 0;
    pendingLineFeed_ = eof_ = false;
    bytesRead_ = charsBeforeBlock_ = marksWeight_ = 0;
    useEncoding(Encoding::DoubleByte, 0);
    return 0;
}

std::size_t LineReader::storageSize() const
{
    return kPadBefore + blockSize_ + std::max<std::size_t>(kPadAfter, chunk::kBytes);
}

void LineReader::readAheadBy(std::function<void()> wake)
{
    readAhead_ = std::make_unique<ReadAhead>(storageSize(), std::move(wake));
}

void LineReader::close()
{
    if (readAhead_)
        readAhead_->withdraw();
    std::string().swap(sample_);
    map_.unmap();
    if (fd_ >= 0)
        ::close(fd_);  // read-only: nothing is lost when closing fails
    fd_ = -1;
}

int LineReader::sample(std::string_view& bytes, bool& endsSource)
{
    if (!regular_) {  // a pipe cannot be read twice: its first block is the sample
        // A writer's first write may be a byte of a mark: the reads go on until a mark's worth came.
        // Not further, so that the lines before a pause are split while it lasts.
        while (len_ < std::min(kLongestMark, blockSize_) && !eof_)
            if (const int code = readMore())
                return code;
        // What is there already is read too, up to the sample's size: an input whose writer is
        // done is then known to end with it, so a character cut by its end is ill-formed.
        while (len_ < std::min(kDetectionSample, blockSize_) && !eof_ && readsAtOnce())
            if (const int code = readMore())
                return code;
        bytes = std::string_view(block_, len_);
        endsSource = eof_;
        return 0;
    }
    sample_.resize(kDetectionSample);
    endsSource = false;
    std::size_t got = 0;
    while (got < sample_.size()) {
        const ssize_t n = ::pread(fd_, sample_.data() + got, sample_.size() - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;  // a regular file answers at once: a retry costs nothing
        if (n < 0)
            return errno;
        if (n == 0) {
            endsSource = true;
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    sample_.resize(got);
    bytes = sample_;
    return 0;
}

void LineReader::useEncoding(Encoding encoding, std::size_t skip)
{
    encoding_ = encoding;
    unit_ = UnitBytes(encoding);
    lowByte_ = encoding == Encoding::Utf16BE ? 1 : 0;
    skip_ = skip;
    usable_ = eof_ ? len_ : len_ - len_ % unit_;
    skipMark();  // the first block may be in already: a pipe's sample
}

// The mark is a whole number of units, and no line end is listed before it is passed.
void LineReader::skipMark()
{
    const std::size_t skipped = std::min(skip_, usable_ - pos_);
    pos_ += skipped;
    scanned_ = scanOrigin_ = pos_;
    skip_ -= skipped;
}

int LineReader::fill()
{
    // The block is scanned to its end by now, and its marks go with it. Its end may lie inside a
    // line that comes in parts, where the count is not a line's: no place is counted from across it.
    if (noting_) {
        while (scanned_ < usable_)  // passed over unscanned: a pipe's block of the LF after a CR
            scanSegment();
        const std::size_t bytes = usable_ - scanOrigin_;
        charsBeforeBlock_ += bytes - marksWeight(bytes);
    }
    return map_.mapped() ? viewNextBlock() : readBlock();
}

// Moves the view on to the next block of the mapping; the byte after the last block's last
// whole unit begins it.
int LineReader::viewNextBlock()
{
    if (cutWhileMapped())
        return lostPagesCode();
    blockOffset_ += usable_;
    block_ = map_.data() + blockOffset_;
    len_ = static_cast<std::size_t>(std::min<std::uint64_t>(blockSize_, size_ - blockOffset_));
    eof_ = blockOffset_ + len_ == size_;
    bytesRead_ = blockOffset_ + len_;
    startBlock();
    if (blockOffset_ >= kReleaseStep)
        map_.release(blockOffset_ - kReleaseStep);
    return 0;
}

// Reads the next block. A byte after the block's last whole unit starts the next block, and
// stays where it is until the read succeeds, so that a call interrupted by a signal can be
// made again.
int LineReader::readBlock()
{
    char* block = storage_.get() + kPadBefore;
    const std::size_t kept = len_ - usable_;
    std::memmove(block, block + usable_, kept);
    pos_ = scanned_ = scanOrigin_ = endCount_ = nextEnd_ = 0;
    usable_ = 0;
    len_ = kept;
    if (eof_ || fd_ < 0)
        return 0;
    int error = 0;
    const ssize_t got = readInto(block, kept, error);
    block_ = storage_.get() + kPadBefore;
    if (const int code = append(got, error))
        return code;
    if (readAhead_ && regular_ && !eof_) {
        const std::size_t keptNext = len_ - usable_;
        readAhead_->ask(fd_, kPadBefore + keptNext, blockSize_ - keptNext);
    }
    return 0;
}

// Takes in the `got` bytes that a read brought after the block's first len_ ones, and begins the
// block's scan again; 0, else `error` or kCutShort.
int LineReader::append(ssize_t got, int error)
{
    if (got < 0)
        return error;
    len_ += static_cast<std::size_t>(got);
    bytesRead_ += static_cast<std::size_t>(got);
    eof_ = got == 0;
    if (eof_ && bytesRead_ < size_ && shrunk())
        return kCutShort;
    std::memset(storage_.get() + kPadBefore + len_, 0, chunk::kBytes);  // neither a line end nor a space
    startBlock();
    return 0;
}

// A read of the pipe would not wait: bytes are there, or its writer is gone.
bool LineReader::readsAtOnce() const
{
    pollfd ready{fd_, POLLIN, 0};
    return ::poll(&ready, 1, 0) > 0;
}

// Reads on into a pipe's block, after what it holds, before anything of it is handed out.
int LineReader::readMore()
{
    int error = 0;
    const ssize_t got = readWhenReady(storage_.get() + kPadBefore + len_, blockSize_ - len_, error);
    return append(got, error);
}

// The bytes after the `kept` ones at `block` (in storage_), from the read-ahead when it read
// them, which brings its own storage, else read here. What read() returns; its errno in `error`.
ssize_t LineReader::readInto(char* block, std::size_t kept, int& error)
{
    ssize_t got = 0;
    if (readAhead_ && readAhead_->take(storage_, got, error)) {
        std::memcpy(storage_.get() + kPadBefore, block, kept);  // asked for with room for them
        return got;
    }
    if (!regular_)
        return readWhenReady(block + kept, blockSize_ - kept, error);
    got = ::read(fd_, block + kept, blockSize_ - kept);
    error = got < 0 ? errno : 0;
    return got;
}

// A file that is not regular is read once poll() finds something to read, or its writer gone:
// before any writer came, a FIFO read without waiting would look ended.
ssize_t LineReader::readWhenReady(char* to, std::size_t bytes, int& error)
{
    pollfd ready{fd_, POLLIN, 0};
    const int polled = ::poll(&ready, 1, kWaitSliceMs);
    if (polled <= 0) {
        error = polled == 0 || errno == EINTR ? kWaiting : errno;
        return -1;
    }
    const ssize_t got = ::read(fd_, to, bytes);
    error = got >= 0 ? 0 : errno == EAGAIN || errno == EINTR ? kWaiting : errno;
    return got;
}

// The mapped file lost pages, or was cut within one, where no fault shows it: a block's look
// at its size keeps what comes after the cut from its pieces, from the next block on.
bool LineReader::cutWhileMapped()
{
    if (!map_.torn() && shrunk())
        map_.markTorn();
    return map_.torn();
}

int LineReader::lostPagesCode() const { return shrunk() ? kCutShort : EIO; }

// A regular file that ends early was cut short only if its size went down: some (those of
// sysfs) always claim more than they hold.
bool LineReader::shrunk() const
{
    struct stat info;
    return regular_ && ::fstat(fd_, &info) == 0 && static_cast<std::uint64_t>(info.st_size) < size_;
}

// Begins the scan of a block whose bytes are in: nothing of it is handed out or listed yet.
void LineReader::startBlock()
{
    pos_ = scanned_ = scanOrigin_ = endCount_ = nextEnd_ = 0;
    usable_ = eof_ ? len_ : len_ - len_ % unit_;  // a lone byte at the end travels with the last line
    crBefore_ = pendingLineFeed_ ? 1 : 0;
    nonCharCarry_ = NonCharacterCarry{};
    marksWeight_ = 0;
    skipMark();
}

int LineReader::fillUntilData()
{
    while (pos_ == usable_ && !eof_)
        if (const int code = fill())
            return code;
    return 0;
}

// Lists the line ends of the next segment of the block, and notes where characters begin when
// asked to.
void LineReader::scanSegment()
{
    SegmentScan scan;
    scan.block = block_;
    scan.from = scanned_;
    scan.stop = std::min(scanned_ + kSegment, usable_);
    scan.origin = scanOrigin_;
    scan.encoding = encoding_;
    scan.noting = noting_;
    scan.ends = ends_.get();
    scan.weights = weights_.get();
    scan.crBefore = crBefore_;
    scan.carry = nonCharCarry_;
    scan.weight = marksWeight_;
    endCount_ = scanner_(scan);
    nextEnd_ = 0;
    scanned_ = scan.stop;
    crBefore_ = scan.crBefore;
    nonCharCarry_ = scan.carry;
    marksWeight_ = scan.weight;
}

// A block begins at a line's start, or inside a line that comes in parts, or inside a line end
// where a fresh look-back is as right as any: so between two places that no line in parts begins
// between, the marks of every block are those of its bytes. A place where a line or its end
// begins has a line end or the block's start before it, so the marks from it on need no
// look-back: those of the rest of its chunk are found again, as at a line's start, and taken
// from the chunk's weight.
LineReader::Place LineReader::placeOf(const char* at) const
{
    const auto inBlock = static_cast<std::size_t>(at - block_);
    const std::size_t bytes = inBlock - scanOrigin_;
    return {bytesRead_ - len_ + inBlock, charsBeforeBlock_ + bytes - marksWeight(bytes)};
}

std::uint64_t LineReader::marksWeight(std::size_t bytes) const
{
    if (bytes == 0)
        return 0;
    const std::size_t last = (bytes - 1) / chunk::kBytes;
    const auto rest = static_cast<unsigned>((last + 1) * chunk::kBytes - bytes);
    std::uint64_t weight = weights_[last];
    if (rest > 0) {
        NonCharacterCarry lineStart;
        const char* at = block_ + scanOrigin_ + bytes;
        weight -= nonchar::Weight(FindNonCharacters(encoding_, at, rest, lineStart), chunk::LowBits(rest));
    }
    return weight;
}

// The last listed end is left out when no whole unit follows it in the block: a CR there may be
// the first half of a CR LF across blocks, and a lone byte at the file's end is no LF.
LineReader::ListedLines LineReader::listedLines() const
{
    ListedLines lines;
    lines.block_ = block_;
    lines.ends_ = ends_.get();
    lines.next_ = nextEnd_;
    lines.count_ = endCount_ > nextEnd_ && ends_[endCount_ - 1] + 2 * unit_ > usable_ ? endCount_ - 1 : endCount_;
    lines.pos_ = pos_;
    return lines;
}

int LineReader::skipPendingLineFeed()
{
    if (!pendingLineFeed_)
        return 0;
    if (const int code = fillUntilData())
        return code;
    if (pos_ + unit_ <= usable_ && isLf(pos_))
        pos_ += unit_;  // never listed as a line end: it follows a CR
    pendingLineFeed_ = false;
    return 0;
}

int LineReader::atEndOfBlock(bool& atEnd)
{
    if (const int code = skipPendingLineFeed())
        return code;
    if (const int code = fillUntilData())
        return code;
    atEnd = pos_ == usable_;
    if (atEnd && map_.mapped() && cutWhileMapped())
        return lostPagesCode();
    return 0;
}

int LineReader::readPartOfBlock(std::string_view& part, bool& lineEnds)
{
    if (const int code = skipPendingLineFeed())
        return code;
    if (const int code = fillUntilData())
        return code;
    for (;;) {
        if (nextEnd_ < endCount_) {
            const std::size_t end = ends_[nextEnd_++];
            part = std::string_view(block_ + pos_, end - pos_);
            lineEnds = true;
            stepOverEnd(end);
            return 0;
        }
        if (scanned_ < usable_) {
            scanSegment();
            if (map_.torn())  // the segment's lines are not the file's
                return lostPagesCode();
            continue;
        }
        // No line end in the rest of the block: the line goes on in the next one, or ends
        // with the file.
        part = std::string_view(block_ + pos_, usable_ - pos_);
        lineEnds = eof_;
        pos_ = usable_;
        return 0;
    }
}

}  // namespace tess
