#pragma once

#include <cstddef>
#include <string_view>

#include "runtime/Encoding.h"

namespace tess::testing {

// The characters of `bytes` counted the slow, obvious way, one character at a time, to check
// the fast count against.
inline std::size_t ReferenceChars(Encoding encoding, std::string_view bytes)
{
    auto at = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(bytes[i])); };
    auto in = [&](std::size_t i, unsigned low, unsigned high) {
        return i < bytes.size() && at(i) >= low && at(i) <= high;
    };
    std::size_t chars = 0;
    std::size_t i = 0;
    switch (encoding) {
    case Encoding::DoubleByte:
        for (; i < bytes.size(); ++chars) {
            if (in(i, 0x81, 0xFE) && in(i + 1, 0x30, 0x39) && in(i + 2, 0x81, 0xFE) && in(i + 3, 0x30, 0x39))
                i += 4;
            else if (in(i, 0x81, 0xFE) && in(i + 1, 0x40, 0xFE) && at(i + 1) != 0x7F)
                i += 2;
            else
                i += 1;
        }
        break;
    case Encoding::Utf8:
        for (; i < bytes.size(); ++chars) {
            const unsigned lead = at(i++);
            const std::size_t more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
            for (std::size_t k = 0; k < more && in(i, 0x80, 0xBF); ++k)
                ++i;
        }
        break;
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        const bool big = encoding == Encoding::Utf16BE;
        auto unit = [&](std::size_t u) { return big ? at(u) << 8 | at(u + 1) : at(u + 1) << 8 | at(u); };
        for (; i + 1 < bytes.size(); ++chars) {
            const bool high = (unit(i) & 0xFC00) == 0xD800;
            i += 2;
            if (high && i + 1 < bytes.size() && (unit(i) & 0xFC00) == 0xDC00)
                i += 2;
        }
        chars += bytes.size() - i;  // a lone byte at the very end
        break;
    }
    }
    return chars;
}

}  // namespace tess::testing
