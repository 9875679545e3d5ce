#pragma once

// Trimming the lines of a split, sixteen bytes a step: for the loop that sees every line.

#include <string_view>

#include "runtime/Simd.h"
#include "runtime/UnitForm.h"

namespace tess {

namespace {  // internal linkage, as for the vector helpers it is written in (see Simd.h)

using simd::Vec16;

// The trimming of a text with 16 readable bytes on either side, as LineReader hands out: it
// tests sixteen bytes a step, so a line's few spaces cost no mispredicted branch per space.
// `spaces(p)` gives bit i set where byte p[i] belongs to a space, the 16 bytes at p being whole
// units from the text's start.
template <class Spaces>
inline std::string_view TrimPadded(std::string_view text, Spaces spaces)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    for (;;) {
        const unsigned others = ~spaces(begin);
        begin += __builtin_ctz(others | 0x10000);  // 16 when all sixteen are spaces
        if (begin >= end)
            return std::string_view(end, 0);
        if (others & 0xFFFF)
            break;
    }
    for (;;) {
        const unsigned others = ~spaces(end - 16) & 0xFFFF;
        if (others) {
            end -= __builtin_clz(others) - 16;  // the spaces after the last other byte
            break;
        }
        end -= 16;
    }
    return std::string_view(begin, static_cast<std::size_t>(end - begin));
}

// TrimSpaces for a padded text (see TrimPadded).
inline std::string_view TrimPaddedSpaces(std::string_view text)
{
    return TrimPadded(text, [](const char* p) {
        return static_cast<unsigned>(Vec16::Mask(Vec16::Eq8(Vec16::Load(p), Vec16::Bytes(' '))));
    });
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

// TrimSpaceUnits for a padded text (see TrimPadded).
inline std::string_view TrimPaddedSpaceUnits(std::string_view text, bool bigEndian)
{
    if (text.size() % 2 != 0)  // a lone byte at the source's very end: once a file at most
        return TrimSpaceUnits(text, bigEndian);
    const short space = static_cast<short>(bigEndian ? 0x2000 : 0x0020);  // as a little-endian lane
    return TrimPadded(text, [space](const char* p) {
        return static_cast<unsigned>(Vec16::Mask(Vec16::Eq16(Vec16::Load(p), Vec16::Units(space))));
    });
}

// The padded trim for the units of `Form`.
template <class Form>
inline std::string_view TrimPaddedIn(std::string_view text)
{
    if constexpr (Form::kBytes == 1)
        return TrimPaddedSpaces(text);
    else
        return TrimPaddedSpaceUnits(text, Form::kLowByte == 1);
}

}  // namespace

}  // namespace tess
