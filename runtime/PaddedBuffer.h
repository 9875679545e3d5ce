#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace tess {

// Bytes that may be read on either side of a line a LineReader hands out, so that the line can
// be scanned sixteen or sixty-four bytes at a time, and copied in fixed moves of up to 128 bytes,
// without a bounds check.
inline constexpr std::size_t kPadBefore = 16;
inline constexpr std::size_t kPadAfter = 128;

// A growable byte buffer with kPadBefore and kPadAfter readable bytes around its contents.
class PaddedBuffer {
public:
    void clear() { size_ = 0; }
    // Gives the memory of a long line back.
    void release() { *this = PaddedBuffer(); }

    void append(const char* bytes, std::size_t count)
    {
        reserve(size_ + count);
        std::memcpy(data() + size_, bytes, count);
        size_ += count;
    }

    std::string_view view() const { return std::string_view(data(), size_); }

private:
    char* data() const { return storage_.get() + kPadBefore; }

    void reserve(std::size_t size)
    {
        if (size <= capacity_)
            return;
        const std::size_t capacity = size + size / 2;  // room to grow without doubling a huge line
        std::unique_ptr<char[]> storage(new char[kPadBefore + capacity + kPadAfter]());
        if (size_)
            std::memcpy(storage.get() + kPadBefore, data(), size_);
        storage_ = std::move(storage);
        capacity_ = capacity;
    }

    std::unique_ptr<char[]> storage_{new char[kPadBefore + kPadAfter]()};
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace tess
