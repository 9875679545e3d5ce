#include "runtime/LineScan.h"

#include <emmintrin.h>

namespace tess {

const char* FindLineEnd(const char* from, const char* to)
{
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const char* p = from;
    for (; to - p >= 16; p += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        if (hits)
            return p + __builtin_ctz(static_cast<unsigned>(hits));
    }
    for (; p < to; ++p)
        if (*p == '\r' || *p == '\n')
            return p;
    return to;
}

}  // namespace tess
