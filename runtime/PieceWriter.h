#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tess {

// Appends lines, each followed by CR LF, to one file at a time through a buffer of its own.
// The buffer outlives each file, so a run of many pieces allocates it once.
// Operations return 0 or the system's error number.
class PieceWriter {
public:
    static constexpr std::size_t kDefaultBuffer = 1 << 20;

    explicit PieceWriter(std::size_t bufferSize = kDefaultBuffer);
    ~PieceWriter();
    PieceWriter(const PieceWriter&) = delete;
    PieceWriter& operator=(const PieceWriter&) = delete;

    // Opens `path` for appending, creating it when missing.
    int open(const std::string& path);
    int writeLine(std::string_view line);
    // Writes what the buffer holds to the file.
    int flush();
    // Flushes, then closes the file. The file is closed whatever fails.
    int close();
    // Closes the file without writing the buffer, after a write to it has failed.
    void discard();

    bool isOpen() const { return fd_ >= 0; }

private:
    int writeAll(const char* data, std::size_t size);

    std::size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    int fd_ = -1;
};

}  // namespace tess
