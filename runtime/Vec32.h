#pragma once

// The 32-byte vector operations of AVX2, for the one file that is compiled for them and chosen
// only on a processor that has them (see Simd.h for the 16-byte ones, and why their linkage is
// internal).
#ifndef __AVX2__
#error "Vec32.h needs a file compiled with -mavx2"
#endif
#include <immintrin.h>

#include <cstdint>

namespace tess::simd {

namespace {

struct Vec32 {
    using V = __m256i;
    static constexpr unsigned kBytes = 32;

    static V Load(const char* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
    static V Bytes(char c) { return _mm256_set1_epi8(c); }
    static V Units(short u) { return _mm256_set1_epi16(u); }
    static V Index()
    {
        return _mm256_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
                                23, 24, 25, 26, 27, 28, 29, 30, 31);
    }
    static V Eq8(V a, V b) { return _mm256_cmpeq_epi8(a, b); }
    static V Gt8(V a, V b) { return _mm256_cmpgt_epi8(a, b); }
    static V Eq16(V a, V b) { return _mm256_cmpeq_epi16(a, b); }
    static V Add8(V a, V b) { return _mm256_add_epi8(a, b); }
    static V And(V a, V b) { return _mm256_and_si256(a, b); }
    static V Or(V a, V b) { return _mm256_or_si256(a, b); }
    static V SwapUnitBytes(V a) { return _mm256_or_si256(_mm256_slli_epi16(a, 8), _mm256_srli_epi16(a, 8)); }
    static std::uint64_t Mask(V a) { return std::uint32_t(_mm256_movemask_epi8(a)); }
};

}  // namespace

}  // namespace tess::simd
