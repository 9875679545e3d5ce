#pragma once

// The vector code behind FindNonCharacters, inline for the loops that call it on every chunk:
// the line reader's scan and the character counter. Include it only where bytes are scanned.

#include <cstdint>

#include "runtime/ChunkScan.h"
#include "runtime/NonCharacters.h"
#include "runtime/Simd.h"

namespace tess::nonchar {

using chunk::Mask16;

// The 64 bytes at `p` with those at `valid` and after set to zero.
struct Chunk {
    __m128i v[4];
    Chunk(const char* p, unsigned valid)
    {
        if (valid >= 64) {
            #pragma GCC unroll 4
            for (int b = 0; b < 4; ++b)
                v[b] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * b));
            return;
        }
        const __m128i limit = _mm_set1_epi8(static_cast<char>(valid));
        const __m128i index = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
        #pragma GCC unroll 4
        for (int b = 0; b < 4; ++b) {
            const __m128i at = _mm_add_epi8(index, _mm_set1_epi8(static_cast<char>(16 * b)));
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * b));
            v[b] = _mm_and_si128(bytes, _mm_cmplt_epi8(at, limit));
        }
    }
};

// Bit i set where `test`, given sixteen bytes at a time, sets byte i to 0xFF.
template <class Test>
inline std::uint64_t Bits(const Chunk& c, Test test)
{
    std::uint64_t bits = 0;
    #pragma GCC unroll 4
    for (int b = 0; b < 4; ++b)
        bits |= Mask16(test(c.v[b]), b);
    return bits;
}

// Bit i set where byte i is in [low, high], both as signed bytes.
template <int low, int high>
inline std::uint64_t InRange(const Chunk& c)
{
    static_assert(-128 <= low && low <= high && high < 127);
    return Bits(c, [](__m128i v) {
        __m128i in = _mm_cmplt_epi8(v, _mm_set1_epi8(static_cast<char>(high + 1)));
        if constexpr (low > -128)
            in = _mm_and_si128(in, _mm_cmpgt_epi8(v, _mm_set1_epi8(static_cast<char>(low - 1))));
        return in;
    });
}

// `mask` moved up by `k` bytes, with the top of the previous chunk's coming in below.
inline std::uint64_t Behind(std::uint64_t mask, std::uint64_t previous, unsigned k)
{
    return (mask << k) | (previous >> (64 - k));
}

// Keeps the masks' valid bits at the top, for the next chunk to look back on. Word by word: an
// array of them would be built on the stack and copied in vectors that wait on its stores.
template <class... Masks>
inline void Remember(NonCharacterCarry& carry, unsigned valid, Masks... masks)
{
    int i = 0;
    ((carry.masks[i++] = masks << (64 - valid)), ...);
}

// Double-byte family: pairs, then GB18030 four-byte sequences, each counted once.
inline NonCharacters DoubleByteChunk(const char* p, unsigned valid, NonCharacterCarry& carry)
{
    const Chunk c(p, valid);
    const std::uint64_t high = InRange<-127, -2>(c);  // 0x81-0xFE
    // What may trail a lead: 0x40-0x7E and 0x80-0xFE, so all but 0x00-0x3F, 0x7F and 0xFF.
    const std::uint64_t trailable = ~Bits(c, [](__m128i v) {
        const __m128i low = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(-1)), _mm_cmplt_epi8(v, _mm_set1_epi8(0x40)));
        return _mm_or_si128(low, _mm_cmpeq_epi8(_mm_or_si128(v, _mm_set1_epi8(-128)), _mm_set1_epi8(-1)));
    });
    const std::uint64_t digit = InRange<0x30, 0x39>(c);
    std::uint64_t placeCarry = carry.place;
    const std::uint64_t places = chunk::TrailPlaces(high, placeCarry);
    carry.place = valid < 64 ? (places >> valid) & 1 : placeCarry;
    const std::uint64_t trails = places & trailable;
    const std::uint64_t lead = high & ~places;
    // A digit that ends lead, digit, lead, digit stands for three bytes that count nothing. In a
    // chain of such pairs the sequences go two pairs at a time from the chain's start, so an end
    // two bytes after another one ends no sequence of its own.
    const std::uint64_t candidates = digit & Behind(high, carry.masks[0], 1) & Behind(digit, carry.masks[1], 2) &
                                     Behind(lead, carry.masks[2], 3);
    std::uint64_t fourEnds = candidates;
    for (std::uint64_t before = 0; candidates && before != fourEnds;) {
        before = fourEnds;
        fourEnds = candidates & ~Behind(fourEnds, carry.masks[3], 2);
    }
    Remember(carry, valid, high, digit, lead, fourEnds);
    return {trails, fourEnds};
}

// UTF-8: a continuation byte that its lead's top bits announce counts nothing.
inline NonCharacters Utf8Chunk(const char* p, unsigned valid, NonCharacterCarry& carry)
{
    const Chunk c(p, valid);
    const std::uint64_t cont = InRange<-128, -65>(c);   // 0x80-0xBF
    const std::uint64_t lead2 = InRange<-64, -1>(c);   // 0xC0-0xFF
    const std::uint64_t lead3 = InRange<-32, -1>(c);   // 0xE0-0xFF
    const std::uint64_t lead4 = InRange<-16, -1>(c);   // 0xF0-0xFF
    const std::uint64_t cont1 = Behind(cont, carry.masks[0], 1);
    const std::uint64_t cont2 = Behind(cont, carry.masks[0], 2);
    const std::uint64_t continues = cont & (Behind(lead2, carry.masks[1], 1) |
                                            (cont1 & Behind(lead3, carry.masks[2], 2)) |
                                            (cont1 & cont2 & Behind(lead4, carry.masks[3], 3)));
    Remember(carry, valid, cont, lead2, lead3, lead4);
    return {continues, 0};
}

// UTF-16: a unit's second byte counts nothing, nor does a low surrogate right after a high one.
inline NonCharacters Utf16Chunk(const char* p, unsigned valid, bool bigEndian, NonCharacterCarry& carry)
{
    const Chunk c(p, valid);
    std::uint64_t high = 0, low = 0;
    #pragma GCC unroll 4
    for (int b = 0; b < 4; ++b) {
        __m128i units = c.v[b];
        if (bigEndian)
            units = _mm_or_si128(_mm_slli_epi16(units, 8), _mm_srli_epi16(units, 8));
        const __m128i top = _mm_and_si128(units, _mm_set1_epi16(static_cast<short>(0xFC00)));
        high |= Mask16(_mm_cmpeq_epi16(top, _mm_set1_epi16(static_cast<short>(0xD800))), b);
        low |= Mask16(_mm_cmpeq_epi16(top, _mm_set1_epi16(static_cast<short>(0xDC00))), b);
    }
    constexpr std::uint64_t kFirstBytes = 0x5555555555555555ULL;
    // A lone byte at the end of the source is no half of a surrogate.
    const std::uint64_t wholeUnits = kFirstBytes & chunk::LowBits(valid & ~1u);
    high &= wholeUnits;
    low &= wholeUnits;
    const std::uint64_t paired = low & Behind(high, carry.masks[0], 2);
    Remember(carry, valid, high);
    return {paired | ~kFirstBytes, 0};
}

// FindNonCharacters for an encoding known when compiling.
template <Encoding encoding>
NonCharacters Find(const char* p, unsigned valid, NonCharacterCarry& carry)
{
    if constexpr (encoding == Encoding::DoubleByte)
        return DoubleByteChunk(p, valid, carry);
    else if constexpr (encoding == Encoding::Utf8)
        return Utf8Chunk(p, valid, carry);
    else
        return Utf16Chunk(p, valid, encoding == Encoding::Utf16BE, carry);
}

}  // namespace tess::nonchar
