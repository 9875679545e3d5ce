#pragma once

#include <cstddef>
#include <string_view>

#include "runtime/Encoding.h"

namespace tess {

// What the start of a source says of its encoding.
struct Detection {
    Encoding encoding = Encoding::DoubleByte;
    std::size_t markBytes = 0;  // the byte-order mark the source begins with, 0 when none
    bool utf32 = false;         // a UTF-32 mark: a text this tool does not split
};

// The encoding of a source that begins with `sample` (up to 64 KiB are looked at), decided in
// this order: a byte-order mark (UTF-8, UTF-16LE, UTF-16BE; UTF-32 is flagged); well-formed UTF-8
// holding at least one multi-byte character (a sequence cut by the sample's end allowed, unless
// `endsSource` says the source ends there too); NUL bytes on one side of the 16-bit units only,
// as UTF-16 text has them; else the double-byte family, where pure ASCII lands too.
Detection DetectEncoding(std::string_view sample, bool endsSource);

// For an encoding the user named: the sample's byte-order mark when it is that encoding's.
Detection NamedEncoding(Encoding encoding, std::string_view sample);

// The most of a source that detection looks at.
inline constexpr std::size_t kDetectionSample = 64 * 1024;
// The longest byte-order mark (UTF-32's): a sample shorter than this may hold part of one.
inline constexpr std::size_t kLongestMark = 4;

}  // namespace tess
