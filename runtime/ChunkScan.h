#pragma once

// Sixty-four bytes at a time: where the line ends are, and how double-byte characters pair up.
// Both give one bit a byte, so a line's end is a count of trailing zeros and its characters a
// popcount.

#include <cstdint>

#include "runtime/Simd.h"

namespace tess::chunk {

inline constexpr unsigned kBytes = 64;

inline std::uint64_t Mask16(__m128i bytes, int block)
{
    return std::uint64_t(std::uint32_t(_mm_movemask_epi8(bytes))) << (16 * block);
}

// Bit i set where byte i of the 64 at `p` ends a line: a CR, or an LF that does not follow a
// CR. `crBefore` (0 or 1) says whether the byte before the 64 is a CR, and receives whether
// the last of them is.
inline std::uint64_t LineEnds(const char* p, std::uint64_t& crBefore)
{
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    std::uint64_t crs = 0;
    std::uint64_t lfs = 0;
    #pragma GCC unroll 4
    for (int block = 0; block < 4; ++block) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * block));
        crs |= Mask16(_mm_cmpeq_epi8(v, cr), block);
        lfs |= Mask16(_mm_cmpeq_epi8(v, lf), block);
    }
    const std::uint64_t afterCr = (crs << 1) | crBefore;
    crBefore = crs >> 63;
    return crs | (lfs & ~afterCr);
}

// LineEnds for 16-bit units in little-endian (`bigEndian` false) or big-endian order: bit i set
// where the unit that begins at byte i (i even) is a CR, or an LF that does not follow a CR.
inline std::uint64_t LineEnds16(const char* p, std::uint64_t& crBefore, bool bigEndian)
{
    const __m128i cr = _mm_set1_epi16(static_cast<short>(bigEndian ? 0x0D00 : 0x000D));
    const __m128i lf = _mm_set1_epi16(static_cast<short>(bigEndian ? 0x0A00 : 0x000A));
    std::uint64_t crs = 0;
    std::uint64_t lfs = 0;
    #pragma GCC unroll 4
    for (int block = 0; block < 4; ++block) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * block));
        crs |= Mask16(_mm_cmpeq_epi16(v, cr), block);
        lfs |= Mask16(_mm_cmpeq_epi16(v, lf), block);
    }
    constexpr std::uint64_t kFirstBytes = 0x5555555555555555ULL;
    crs &= kFirstBytes;
    lfs &= kFirstBytes;
    const std::uint64_t afterCr = (crs << 2) | crBefore;
    crBefore = crs >> 62;
    return crs | (lfs & ~afterCr);
}

// Within a run of lead-capable bytes, leads and trails alternate from the run's first byte, and
// the byte after a run of odd length is in the trail place of the run's last lead. Returns the
// positions in a trail place; `carry` (0 or 1) says whether position 0 is one, and receives
// whether position 0 of the next 64 is.
inline std::uint64_t TrailPlaces(std::uint64_t high, std::uint64_t& carry)
{
    constexpr std::uint64_t kEven = 0x5555555555555555ULL;
    high &= ~carry;  // a byte in a trail place does not lead
    const std::uint64_t followsHigh = (high << 1) | carry;
    const std::uint64_t oddStarts = high & ~kEven & ~followsHigh;
    std::uint64_t evenRuns = 0;
    carry = __builtin_add_overflow(oddStarts, high, &evenRuns) ? 1 : 0;
    return (kEven ^ (evenRuns << 1)) & followsHigh;
}

// The bits set in `bits`. amd64's baseline has no popcount instruction, and the builtin would
// then be a library call for every chunk and line: the sum of bit slices is a dozen inline
// instructions that every amd64 processor runs. A build for a processor that has one uses it.
inline unsigned CountBits(std::uint64_t bits)
{
#if defined(__x86_64__) && !defined(__POPCNT__)
    bits -= (bits >> 1) & 0x5555555555555555ULL;
    bits = (bits & 0x3333333333333333ULL) + ((bits >> 2) & 0x3333333333333333ULL);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<unsigned>((bits * 0x0101010101010101ULL) >> 56);
#else
    return static_cast<unsigned>(__builtin_popcountll(bits));
#endif
}

// Bits 0 .. n-1 (n at most 64).
inline std::uint64_t LowBits(unsigned n) { return n >= 64 ? ~0ULL : (1ULL << n) - 1; }

}  // namespace tess::chunk
