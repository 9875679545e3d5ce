#pragma once

#include <cstddef>
#include <string_view>

namespace tess {

// How a source's bytes make characters and line ends. Bytes always pass through unchanged; the
// encoding decides where a line ends, which units are the spaces that trimming removes, what
// ends a written line, and how many characters a line holds.
//  - DoubleByte: GBK/CP936, GB2312, GB18030 and Big5 alike. A lead byte 0x81-0xFE followed by a
//    trail 0x40-0xFE other than 0x7F is one character; lead, 0x30-0x39, lead, 0x30-0x39 (a
//    GB18030 four-byte sequence) is one; every other byte is one.
//  - Utf8: a lead byte with the continuation bytes (0x80-0xBF) that its top bits announce is one
//    character (0xC0-0xDF: one, 0xE0-0xEF: two, 0xF0-0xFF: three; fewer when fewer follow);
//    every other byte is one. Exact on well-formed text; ill-formed text never counts fewer
//    than a quarter of its bytes.
//  - Utf16LE, Utf16BE: 16-bit units in the file's byte order; a high surrogate followed by a low
//    one is one character, every other unit is one, and a lone byte at the very end is one.
// Line ends are CR, CR LF and a lone LF in the encoding's units; the space is the unit 0x20.
enum class Encoding { DoubleByte, Utf8, Utf16LE, Utf16BE };

// Bytes a unit takes: 1 or 2.
inline constexpr std::size_t UnitBytes(Encoding e)
{
    return e == Encoding::Utf16LE || e == Encoding::Utf16BE ? 2 : 1;
}

// What follows every written line: CR LF in the encoding's units.
std::string_view LineEndBytes(Encoding e);

// The byte-order mark of the encoding; empty for the double-byte family.
std::string_view MarkBytes(Encoding e);

// The name the command line takes and prints: "gb18030", "utf-8", "utf-16le", "utf-16be".
std::string_view EncodingName(Encoding e);

}  // namespace tess
