#include "runtime/LineReader.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "runtime/LineScan.h"

namespace tess {

LineReader::LineReader(std::size_t blockSize)
    : blockSize_(blockSize ? blockSize : 1), block_(new char[blockSize_])
{
}

LineReader::~LineReader() { close(); }

int LineReader::open(const std::string& path)
{
    close();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int code = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd);
        return code;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(info.st_size);
    pos_ = len_ = 0;
    pendingLineFeed_ = eof_ = false;
    bytesRead_ = 0;
    spanning_.clear();
    return 0;
}

void LineReader::close()
{
    if (fd_ >= 0)
        ::close(fd_);  // read-only: nothing is lost when closing fails
    fd_ = -1;
}

int LineReader::fill()
{
    pos_ = len_ = 0;
    if (eof_ || fd_ < 0)
        return 0;
    for (;;) {
        const ssize_t got = ::read(fd_, block_.get(), blockSize_);
        if (got >= 0) {
            len_ = static_cast<std::size_t>(got);
            eof_ = got == 0;
            bytesRead_ += len_;
            return 0;
        }
        if (errno != EINTR)
            return errno;
    }
}

int LineReader::skipPendingLineFeed()
{
    if (!pendingLineFeed_)
        return 0;
    if (pos_ == len_)
        if (const int code = fill())
            return code;
    if (pos_ < len_ && block_[pos_] == '\n')
        ++pos_;
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

int LineReader::readLine(std::string_view& line)
{
    if (const int code = skipPendingLineFeed())
        return code;
    spanning_.clear();
    bool spans = false;
    for (;;) {
        if (pos_ == len_) {
            if (const int code = fill())
                return code;
            if (len_ == 0) {  // the last line had no line end
                line = spanning_;
                return 0;
            }
        }
        const char* start = block_.get() + pos_;
        const char* stop = block_.get() + len_;
        const char* end = FindLineEnd(start, stop);
        if (end == stop) {
            spanning_.append(start, end);
            spans = true;
            pos_ = len_;
            continue;
        }
        pos_ = static_cast<std::size_t>(end - block_.get()) + 1;
        if (*end == '\r') {
            if (pos_ < len_)
                pos_ += block_[pos_] == '\n';
            else
                pendingLineFeed_ = true;
        }
        if (spans) {
            spanning_.append(start, end);
            line = spanning_;
        } else {
            line = std::string_view(start, static_cast<std::size_t>(end - start));
        }
        return 0;
    }
}

}  // namespace tess
