#include "runtime/LineReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/ChunkScan.h"

namespace tess {

namespace {
// Room for a whole segment of line ends and the four a chunk lists unconditionally.
constexpr std::size_t kEndSlots = 16 * 1024 + 4;
constexpr std::uint64_t kTopBit = 1ULL << 63;
}  // namespace

LineReader::LineReader(std::size_t blockSize)
    : blockSize_(blockSize ? blockSize : 1),
      storage_(new char[kPadBefore + blockSize_ + std::max<std::size_t>(kPadAfter, chunk::kBytes)]()),
      block_(storage_.get() + kPadBefore),
      ends_(new std::uint32_t[kEndSlots]),
      trailsBefore_(new std::uint32_t[kEndSlots])
{
    static_assert(kSegment % chunk::kBytes == 0 && kEndSlots >= kSegment + 4);
}

LineReader::~LineReader() { close(); }

void LineReader::countCharacters(CodePage codePage)
{
    counting_ = true;
    codePage_ = codePage;
    countingCp936_ = codePage == CodePage::Cp936;
}

int LineReader::open(const std::string& path)
{
    close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat info;
    const int code = ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
    if (code != 0) {
        ::close(fd);
        return code;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    pos_ = len_ = scanned_ = endCount_ = nextEnd_ = 0;
    pendingLineFeed_ = eof_ = false;
    bytesRead_ = 0;
    carry_ = 0;
    spanning_.clear();
    return 0;
}

void LineReader::close()
{
    spanning_.release();
    if (fd_ >= 0)
        ::close(fd_);  // read-only: nothing is lost when closing fails
    fd_ = -1;
}

int LineReader::fill()
{
    pos_ = len_ = scanned_ = endCount_ = nextEnd_ = 0;
    if (eof_ || fd_ < 0)
        return 0;
    ssize_t got;
    while ((got = ::read(fd_, block_, blockSize_)) < 0)
        if (errno != EINTR)
            return errno;
    len_ = static_cast<std::size_t>(got);
    eof_ = got == 0;
    bytesRead_ += len_;
    std::memset(block_ + len_, 0, chunk::kBytes);  // neither a line end, a space nor a CP936 byte
    crBefore_ = pendingLineFeed_ ? 1 : 0;
    trailsScanned_ = trailsBeforeLine_ = 0;
    return 0;
}

// Lists the line ends of the next segment of the block.
void LineReader::scanSegment()
{
    endCount_ = nextEnd_ = 0;
    const std::size_t stop = std::min(scanned_ + kSegment, len_);
    for (std::size_t chunk = scanned_; chunk < stop; chunk += chunk::kBytes) {
        const char* bytes = block_ + chunk;
        const auto valid = static_cast<unsigned>(std::min<std::size_t>(len_ - chunk, chunk::kBytes));
        const std::uint64_t ends = chunk::LineEnds(bytes, crBefore_) & chunk::LowBits(valid);
        if (countingCp936_)
            listEndsWithTrails(chunk, ends, chunk::Cp936Trails(bytes, carry_, valid));  // past the data: zeros
        else
            listEnds(chunk, ends);
    }
    scanned_ = stop;
}

// Four ends are written whether the chunk has them or not: the list has room, and most chunks
// then need no loop whose length the processor cannot foresee.
void LineReader::listEnds(std::size_t chunk, std::uint64_t ends)
{
    std::uint32_t* out = ends_.get() + endCount_;
    const auto count = static_cast<std::size_t>(__builtin_popcountll(ends));
    const auto base = static_cast<std::uint32_t>(chunk);
    for (int i = 0; i < 4; ++i) {
        out[i] = base + static_cast<std::uint32_t>(__builtin_ctzll(ends | kTopBit));
        ends &= ends - 1;
    }
    for (out += 4; ends; ends &= ends - 1)
        *out++ = base + static_cast<std::uint32_t>(__builtin_ctzll(ends));
    endCount_ += count;
}

void LineReader::listEndsWithTrails(std::size_t chunk, std::uint64_t ends, std::uint64_t trails)
{
    for (; ends; ends &= ends - 1) {
        const auto bit = static_cast<unsigned>(__builtin_ctzll(ends));
        ends_[endCount_] = static_cast<std::uint32_t>(chunk + bit);
        trailsBefore_[endCount_] = static_cast<std::uint32_t>(
            trailsScanned_ + static_cast<std::size_t>(__builtin_popcountll(trails & chunk::LowBits(bit))));
        ++endCount_;
    }
    trailsScanned_ += static_cast<std::size_t>(__builtin_popcountll(trails));
}

int LineReader::skipPendingLineFeed()
{
    if (!pendingLineFeed_)
        return 0;
    if (pos_ == len_)
        if (const int code = fill())
            return code;
    if (pos_ < len_ && block_[pos_] == '\n')
        ++pos_;  // never listed as a line end: it follows a CR
    pendingLineFeed_ = false;
    return 0;
}

int LineReader::atEnd(bool& atEnd)
{
    if (const int code = skipPendingLineFeed())
        return code;
    if (pos_ == len_)
        if (const int code = fill())
            return code;
    atEnd = pos_ == len_;
    return 0;
}

// Takes the line that ends at `end` and steps over its line end.
void LineReader::takeLine(std::size_t end, std::string_view& line, bool spans)
{
    const char* start = block_ + pos_;
    if (spans) {
        spanning_.append(start, end - pos_);
        line = spanning_.view();
    } else {
        line = std::string_view(start, end - pos_);
    }
    pos_ = end + 1;
    if (block_[end] == '\r') {
        if (pos_ == len_)
            pendingLineFeed_ = true;
        else
            pos_ += block_[pos_] == '\n';
    }
}

int LineReader::readLine(std::string_view& line)
{
    if (const int code = skipPendingLineFeed())
        return code;
    bool spans = false;
    std::size_t chars = 0;
    for (;;) {
        if (pos_ == len_) {
            if (const int code = fill())
                return code;
            if (len_ == 0) {  // the last line had no line end
                if (!spans)
                    spanning_.clear();
                line = spanning_.view();
                break;
            }
        }
        if (nextEnd_ < endCount_) {
            const std::size_t end = ends_[nextEnd_];
            if (countingCp936_) {
                chars += (end - pos_) - (trailsBefore_[nextEnd_] - trailsBeforeLine_);
                trailsBeforeLine_ = trailsBefore_[nextEnd_];  // line ends are never trail bytes
            }
            ++nextEnd_;
            takeLine(end, line, spans);
            break;
        }
        if (scanned_ < len_) {
            scanSegment();
            continue;
        }
        // No line end in the rest of the block: the line goes on in the next one.
        if (!spans)
            spanning_.clear();
        spans = true;
        chars += (len_ - pos_) - (trailsScanned_ - trailsBeforeLine_);
        spanning_.append(block_ + pos_, len_ - pos_);
        pos_ = len_;
    }
    if (counting_)
        lineChars_ = countingCp936_ ? chars : CountChars(codePage_, line);
    return 0;
}

}  // namespace tess
