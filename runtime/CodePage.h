#pragma once

#include <cstddef>
#include <string_view>

namespace tess {

// The code page of the source and the pieces. Bytes always pass through unchanged; the code
// page only decides how many characters a line holds.
enum class CodePage { Cp936, Utf8 };

// Characters in `bytes`. CP936: a lead byte 0x81-0xFE followed by a trail byte 0x40-0xFE other
// than 0x7F is one character, every other byte is one. UTF-8: a well-formed sequence is one
// character, every byte of an ill-formed one counts as one.
std::size_t CountChars(CodePage codePage, std::string_view bytes);

}  // namespace tess
