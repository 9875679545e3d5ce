#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/Encoding.h"
#include "runtime/NonCharacters.h"

namespace tess {

// Counts the characters of a line in its encoding (the rules are Encoding's), sixty-four bytes
// at a time. A line may come in parts: a character that the boundary between two parts cuts in
// two is counted once.
class CharCounter {
public:
    explicit CharCounter(Encoding encoding) : encoding_(encoding) {}

    // Forgets what the last part ended with: a new line begins, or a space came between.
    void reset() { carry_ = NonCharacterCarry{}; }
    // The characters that the `size` bytes at `bytes` add to the line. The 63 bytes after them
    // must be readable; they are not counted. A UTF-16 part has an even size, but for a lone
    // byte at the very end of the source, which is a character of its own.
    std::size_t count(const char* bytes, std::size_t size) { return count(bytes, size, carry_); }

private:
    std::size_t count(const char* bytes, std::size_t size, NonCharacterCarry& carry) const;

    Encoding encoding_;
    NonCharacterCarry carry_;
};

}  // namespace tess
