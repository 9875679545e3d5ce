#include "runtime/CodePage.h"

#include <cstdint>
#include <cstring>

#include <emmintrin.h>

namespace tess {

namespace {

// Bit i set where byte i of the 64 at `p` is in [0x81, 0xFE] (a CP936 lead, and a trail too)
// and, in `trailOnly`, where it is a trail that cannot lead: 0x40-0x7E or 0x80.
std::uint64_t ClassifyCp936(const unsigned char* p, std::uint64_t& trailOnly)
{
    std::uint64_t high = 0;
    trailOnly = 0;
    for (int block = 0; block < 4; ++block) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * block));
        // As signed bytes, 0x81..0xFE is -127..-2.
        const __m128i isHigh = _mm_and_si128(_mm_cmplt_epi8(v, _mm_set1_epi8(-1)),
                                             _mm_cmpgt_epi8(v, _mm_set1_epi8(-128)));
        const __m128i isLowTrail = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(0x3F)),
                                                 _mm_cmplt_epi8(v, _mm_set1_epi8(0x7F)));
        const __m128i is80 = _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0x80)));
        const auto shift = 16 * block;
        high |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(isHigh))) << shift;
        trailOnly |= std::uint64_t(std::uint32_t(_mm_movemask_epi8(_mm_or_si128(isLowTrail, is80))))
                     << shift;
    }
    return high;
}

// Within runs of lead-capable bytes, leads and trails alternate from the run's first byte; the
// byte after a run of odd length is the trail of its last lead. Returns the positions that
// follow a lead, carrying an unpaired lead at bit 63 into the next block.
std::uint64_t PositionsAfterLead(std::uint64_t high, std::uint64_t& carry)
{
    constexpr std::uint64_t kEven = 0x5555555555555555ULL;
    high &= ~carry;  // a byte taken as a trail cannot lead
    const std::uint64_t followsHigh = (high << 1) | carry;
    const std::uint64_t oddStarts = high & ~kEven & ~followsHigh;
    std::uint64_t evenRuns = 0;
    carry = __builtin_add_overflow(oddStarts, high, &evenRuns) ? 1 : 0;
    return (kEven ^ (evenRuns << 1)) & followsHigh;
}

std::size_t CountCp936(const unsigned char* p, std::size_t n)
{
    std::size_t pairs = 0;
    std::uint64_t carry = 0;
    std::size_t i = 0;
    auto count = [&](const unsigned char* block) {
        std::uint64_t trailOnly = 0;
        const std::uint64_t high = ClassifyCp936(block, trailOnly);
        pairs += __builtin_popcountll(PositionsAfterLead(high, carry) & (high | trailOnly));
    };
    for (; i + 64 <= n; i += 64)
        count(p + i);
    if (i < n) {
        unsigned char tail[64] = {};  // zero is neither lead nor trail
        std::memcpy(tail, p + i, n - i);
        count(tail);
    }
    return n - pairs;
}

// Length of the well-formed UTF-8 sequence at p (at most n bytes), 0 when ill-formed.
std::size_t Utf8SequenceLength(const unsigned char* p, std::size_t n)
{
    const unsigned char b = p[0];
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) length = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else
        return 0;
    if (n < length || p[1] < low || p[1] > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (p[k] < 0x80 || p[k] > 0xBF)
            return 0;
    return length;
}

std::size_t CountUtf8(const unsigned char* p, std::size_t n)
{
    std::size_t chars = 0;
    std::size_t i = 0;
    while (i < n) {
        if (i + 16 <= n) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
            if (_mm_movemask_epi8(v) == 0) {  // sixteen ASCII bytes
                chars += 16;
                i += 16;
                continue;
            }
        }
        if (p[i] < 0x80) {
            ++i;
        } else {
            const std::size_t length = Utf8SequenceLength(p + i, n - i);
            i += length ? length : 1;
        }
        ++chars;
    }
    return chars;
}

}  // namespace

std::size_t CountChars(CodePage codePage, std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    return codePage == CodePage::Cp936 ? CountCp936(p, bytes.size()) : CountUtf8(p, bytes.size());
}

}  // namespace tess
