#pragma once

// Where the line ends lie in bytes on their way to a piece. A line end is CR LF in the text's
// code unit, so half its size is the unit, and it is looked for only where a unit begins: a
// UTF-16 character can hold the bytes of one across two characters. Bytes are given with how
// far into a line they begin, which tells where their units begin.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tess {

struct LineEnds {
    std::size_t count = 0;
    std::size_t pastLast = 0;  // how many of the bytes, up to the end of the last; 0 without one
};

// The line ends among `size` bytes that begin `intoLine` bytes into a line.
LineEnds FindLineEnds(const char* bytes, std::size_t size, std::string_view lineEnd, std::uint64_t intoLine);

// How many of `size` bytes that begin `intoLine` bytes into a line one write takes, of at most
// `most`: up to the end of the last line end among the first `most`, or all of them when they
// fit or hold no line end there, so that a write ends inside a line only for a line that long.
std::size_t WholeLinesWithin(const char* bytes, std::size_t size, std::size_t most, std::string_view lineEnd,
                             std::uint64_t intoLine);

}  // namespace tess
