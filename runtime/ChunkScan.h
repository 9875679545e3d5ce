#pragma once

// Sixty-four bytes at a time: where the line ends are, and how CP936 bytes pair up. Both give
// one bit a byte, so a line's end is a count of trailing zeros and its characters a popcount.

#include <cstdint>

#include <emmintrin.h>

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
    for (int block = 0; block < 4; ++block) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * block));
        crs |= Mask16(_mm_cmpeq_epi8(v, cr), block);
        lfs |= Mask16(_mm_cmpeq_epi8(v, lf), block);
    }
    const std::uint64_t afterCr = (crs << 1) | crBefore;
    crBefore = crs >> 63;
    return crs | (lfs & ~afterCr);
}

// Bit i set where byte i of the 64 at `p` is in [0x81, 0xFE], a byte that can lead a CP936
// character and trail one too; in `trailOnly`, where it can only trail: 0x40-0x7E or 0x80.
inline std::uint64_t Cp936Classes(const char* p, std::uint64_t& trailOnly)
{
    std::uint64_t high = 0;
    trailOnly = 0;
    for (int block = 0; block < 4; ++block) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * block));
        // As signed bytes, 0x81..0xFE is -127..-2 and 0x40..0x7E is 64..126.
        const __m128i isHigh = _mm_and_si128(_mm_cmplt_epi8(v, _mm_set1_epi8(-1)),
                                             _mm_cmpgt_epi8(v, _mm_set1_epi8(-128)));
        const __m128i isLowTrail = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(0x3F)),
                                                 _mm_cmplt_epi8(v, _mm_set1_epi8(0x7F)));
        const __m128i is80 = _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0x80)));
        high |= Mask16(isHigh, block);
        trailOnly |= Mask16(_mm_or_si128(isLowTrail, is80), block);
    }
    return high;
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

// The bytes of the first `valid` of the 64 at `p` that are the trail byte of a CP936 character;
// each such pair is one character where the bytes count two. The bytes past `valid` must be
// zero. `carry` as for TrailPlaces, for the byte after the valid ones.
inline std::uint64_t Cp936Trails(const char* p, std::uint64_t& carry, unsigned valid = kBytes)
{
    std::uint64_t trailOnly = 0;
    const std::uint64_t high = Cp936Classes(p, trailOnly);
    const std::uint64_t places = TrailPlaces(high, carry);
    if (valid < kBytes)
        carry = (places >> valid) & 1;  // zero neither leads nor trails: only the place counts
    return places & (high | trailOnly);
}

// Bits 0 .. n-1 (n at most 64).
inline std::uint64_t LowBits(unsigned n) { return n >= 64 ? ~0ULL : (1ULL << n) - 1; }

}  // namespace tess::chunk
