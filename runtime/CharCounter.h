#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/Encoding.h"

namespace tess {

// Counts the characters of a line in its encoding (the rules are Encoding's), sixty-four bytes
// at a time. A line may come in parts: a character that the boundary between two parts cuts in
// two is counted once.
class CharCounter {
public:
    explicit CharCounter(Encoding encoding) : encoding_(encoding) {}

    // Forgets what the last part ended with: a new line begins, or a space came between.
    void reset() { carry_ = Carry{}; }
    // The characters that the `size` bytes at `bytes` add to the line. The 63 bytes after them
    // must be readable; they are not counted. A UTF-16 part has an even size, but for a lone
    // byte at the very end of the source.
    std::size_t count(const char* bytes, std::size_t size);

    // What the previous chunk ended with, one bit a byte in the top bits of each mask.
    struct Carry {
        std::uint64_t place = 0;  // double-byte: the next byte is in a trail place
        std::uint64_t masks[4] = {};
    };

private:
    Encoding encoding_;
    Carry carry_;
};

}  // namespace tess
