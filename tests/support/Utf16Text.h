#pragma once

#include <string>

namespace tess::testing {

// The bytes of 16-bit `text` in little-endian (or, with `bigEndian`, big-endian) order.
inline std::string Utf16Bytes(const std::u16string& text, bool bigEndian = false)
{
    std::string bytes;
    for (const char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

}  // namespace tess::testing
