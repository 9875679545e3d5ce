#pragma once

#include <cstdint>

#include "runtime/Encoding.h"

namespace tess {

// Which of sixty-four bytes begin no character of their own, in an encoding's rules: the
// characters of a stretch of bytes are its bytes less the `single` bits in it, less three for
// every `triple` bit in it (the last byte of a GB18030 four-byte sequence, whose other bytes
// count one). Every bit depends only on its byte and those before it, never on later ones; and
// a line's bits are the same whatever came before the line end or space in front of it.
struct NonCharacters {
    std::uint64_t single = 0;
    std::uint64_t triple = 0;
};

// What the chunk before ended with, one bit a byte in the top bits of each mask: the look-back
// of the next chunk. A default one stands for a start of line.
struct NonCharacterCarry {
    std::uint64_t place = 0;  // double-byte: the next byte is in a trail place
    std::uint64_t masks[4] = {};
};

// The non-characters among the first `valid` (1..64) bytes at `p`; later bytes are not looked
// at, though all 64 must be readable. `carry` is the look-back, and receives the next one.
NonCharacters FindNonCharacters(Encoding encoding, const char* p, unsigned valid, NonCharacterCarry& carry);

}  // namespace tess
