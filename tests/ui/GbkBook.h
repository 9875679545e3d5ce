#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tess::testing {

// A generated GBK text file such as a person splits: CR LF lines of Chinese (GB2312 and GBK
// extension characters, full-width indents and punctuation) mixed with ASCII words, blank lines,
// lines of spaces, and spaces around lines; its last line has no line end. The generator knows
// what it wrote, so what the split must keep comes from it rather than from reading the text.
struct GbkBook {
    std::string bytes;                    // the file
    std::vector<std::string> keptLines;   // the non-blank lines without their outer spaces, in order
    std::vector<std::size_t> characters;  // of each kept line; a double-byte character counts one
};

// The same book for the same `lines` (the number of lines in the file) on every run.
GbkBook MakeGbkBook(int lines);

// The pieces a split by size into pieces of `threshold` characters must give: the kept lines, each
// followed by CR LF, a piece closed after the first line that brings it to `threshold` or more.
std::vector<std::string> PiecesBySize(const GbkBook& book, std::size_t threshold);

}  // namespace tess::testing
