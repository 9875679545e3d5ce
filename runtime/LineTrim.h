#pragma once

// Trimming the lines of a split, sixteen bytes a step: for the loop that sees every line.

#include <string_view>

#include "runtime/Simd.h"

namespace tess {

// TrimSpaces for a text with 16 readable bytes on either side, as LineReader hands out: it tests
// sixteen bytes a step, so a line's few spaces cost no mispredicted branch per space.
inline std::string_view TrimPaddedSpaces(std::string_view text)
{
    const __m128i space = _mm_set1_epi8(' ');
    const char* begin = text.data();
    const char* end = begin + text.size();
    for (;;) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin));
        const unsigned others = ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, space)));
        begin += __builtin_ctz(others | 0x10000);  // 16 when all sixteen are spaces
        if (begin >= end)
            return std::string_view(end, 0);
        if (others & 0xFFFF)
            break;
    }
    for (;;) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(end - 16));
        const unsigned others = static_cast<unsigned>(~_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, space))) & 0xFFFF;
        if (others) {
            end -= __builtin_clz(others) - 16;  // the spaces after the last other byte
            break;
        }
        end -= 16;
    }
    return std::string_view(begin, static_cast<std::size_t>(end - begin));
}

// TrimSpaces for 16-bit units: the unit 0x0020 in little- or big-endian order goes at either end.
// A lone byte at the end of an odd-sized text is not a space. The result views the argument.
inline std::string_view TrimSpaceUnits(std::string_view text, bool bigEndian)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    const char low = bigEndian ? 0 : ' ';
    const char high = bigEndian ? ' ' : 0;
    auto isSpace = [&](const char* unit) { return unit[0] == low && unit[1] == high; };
    while (end - begin >= 2 && isSpace(begin))
        begin += 2;
    if ((end - begin) % 2 == 0)
        while (end > begin && isSpace(end - 2))
            end -= 2;
    return std::string_view(begin, static_cast<std::size_t>(end - begin));
}

}  // namespace tess
