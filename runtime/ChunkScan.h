#pragma once

// Sixty-four bytes at a time: where the line ends are, and how double-byte characters pair up.
// Both give one bit a byte, so a line's end is a count of trailing zeros and its characters a
// popcount. Written over a vector width `W` (simd::Vec16 or Vec32); internal linkage, as Simd.h
// says why.

#include <cstdint>

#include "runtime/Simd.h"

namespace tess::chunk {

namespace {

constexpr unsigned kBytes = 64;

// The 64 bytes at `p` in W's vectors.
template <class W>
struct Chunk {
    static constexpr unsigned kVectors = kBytes / W::kBytes;
    typename W::V v[kVectors];

    explicit Chunk(const char* p)
    {
        #pragma GCC unroll 4
        for (unsigned b = 0; b < kVectors; ++b)
            v[b] = W::Load(p + W::kBytes * b);
    }
    // With the bytes at `valid` (0..64) and after set to zero.
    Chunk(const char* p, unsigned valid) : Chunk(p)
    {
        if (valid >= kBytes)
            return;
        const typename W::V limit = W::Bytes(static_cast<char>(valid));
        #pragma GCC unroll 4
        for (unsigned b = 0; b < kVectors; ++b) {
            const typename W::V at = W::Add8(W::Index(), W::Bytes(static_cast<char>(W::kBytes * b)));
            v[b] = W::And(v[b], W::Gt8(limit, at));
        }
    }
};

// Bit i set where `test`, given a vector at a time, sets byte i to 0xFF.
template <class W, class Test>
inline std::uint64_t Bits(const Chunk<W>& c, Test test)
{
    std::uint64_t bits = 0;
    #pragma GCC unroll 4
    for (unsigned b = 0; b < Chunk<W>::kVectors; ++b)
        bits |= W::Mask(test(c.v[b])) << (W::kBytes * b);
    return bits;
}

// Bit i set where byte i of the chunk ends a line: a CR, or an LF that does not follow a CR.
// `crBefore` (0 or 1) says whether the byte before the chunk is a CR, and receives whether the
// chunk's last one is.
template <class W>
inline std::uint64_t LineEnds(const Chunk<W>& c, std::uint64_t& crBefore)
{
    const typename W::V cr = W::Bytes('\r');
    const typename W::V lf = W::Bytes('\n');
    const std::uint64_t crs = Bits(c, [cr](typename W::V v) { return W::Eq8(v, cr); });
    const std::uint64_t lfs = Bits(c, [lf](typename W::V v) { return W::Eq8(v, lf); });
    const std::uint64_t afterCr = (crs << 1) | crBefore;
    crBefore = crs >> 63;
    return crs | (lfs & ~afterCr);
}

// LineEnds for 16-bit units in little-endian (`bigEndian` false) or big-endian order: bit i set
// where the unit that begins at byte i (i even) is a CR, or an LF that does not follow a CR.
template <class W>
inline std::uint64_t LineEnds16(const Chunk<W>& c, std::uint64_t& crBefore, bool bigEndian)
{
    const typename W::V cr = W::Units(static_cast<short>(bigEndian ? 0x0D00 : 0x000D));
    const typename W::V lf = W::Units(static_cast<short>(bigEndian ? 0x0A00 : 0x000A));
    constexpr std::uint64_t kFirstBytes = 0x5555555555555555ULL;
    const std::uint64_t crs = Bits(c, [cr](typename W::V v) { return W::Eq16(v, cr); }) & kFirstBytes;
    const std::uint64_t lfs = Bits(c, [lf](typename W::V v) { return W::Eq16(v, lf); }) & kFirstBytes;
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

}  // namespace

}  // namespace tess::chunk
