#include "runtime/CodePage.h"

#include <cstring>

#include "runtime/ChunkScan.h"

namespace tess {

namespace {

std::size_t CountCp936(const char* p, std::size_t n)
{
    std::size_t trails = 0;
    std::uint64_t carry = 0;
    std::size_t i = 0;
    for (; i + chunk::kBytes <= n; i += chunk::kBytes)
        trails += __builtin_popcountll(chunk::Cp936Trails(p + i, carry));
    if (i < n) {
        char tail[chunk::kBytes] = {};  // zero neither leads nor trails
        std::memcpy(tail, p + i, n - i);
        trails += __builtin_popcountll(chunk::Cp936Trails(tail, carry));
    }
    return n - trails;
}

// Length of the well-formed UTF-8 sequence at p (at most n bytes), 0 when ill-formed.
std::size_t Utf8SequenceLength(const unsigned char* p, std::size_t n)
{
    const unsigned char b = p[0];
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
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
    if (codePage == CodePage::Cp936)
        return CountCp936(bytes.data(), bytes.size());
    return CountUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

}  // namespace tess
