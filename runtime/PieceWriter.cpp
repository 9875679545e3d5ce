#include "runtime/PieceWriter.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace tess {

namespace {
constexpr char kLineEnd[] = {'\r', '\n'};
}

PieceWriter::PieceWriter(std::size_t bufferSize)
    : capacity_(bufferSize < sizeof kLineEnd ? sizeof kLineEnd : bufferSize),
      buffer_(new char[capacity_])
{
}

PieceWriter::~PieceWriter() { discard(); }

int PieceWriter::open(const std::string& path)
{
    discard();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    fd_ = fd;
    return 0;
}

int PieceWriter::writeAll(const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(fd_, data, size);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (done == 0)
            return EIO;
        data += done;
        size -= static_cast<std::size_t>(done);
    }
    return 0;
}

int PieceWriter::flush()
{
    const std::size_t size = used_;
    used_ = 0;
    return size ? writeAll(buffer_.get(), size) : 0;
}

int PieceWriter::writeLine(std::string_view line)
{
    const std::size_t needed = line.size() + sizeof kLineEnd;
    if (capacity_ - used_ < needed) {
        if (const int code = flush())
            return code;
        if (needed > capacity_) {  // a line longer than the buffer goes out directly
            if (const int code = writeAll(line.data(), line.size()))
                return code;
            return writeAll(kLineEnd, sizeof kLineEnd);
        }
    }
    char* out = buffer_.get() + used_;
    std::memcpy(out, line.data(), line.size());
    std::memcpy(out + line.size(), kLineEnd, sizeof kLineEnd);
    used_ += needed;
    return 0;
}

int PieceWriter::close()
{
    if (fd_ < 0)
        return 0;
    const int flushed = flush();
    const int closed = ::close(fd_) == 0 ? 0 : errno;
    fd_ = -1;
    return flushed ? flushed : closed;
}

void PieceWriter::discard()
{
    used_ = 0;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

}  // namespace tess
