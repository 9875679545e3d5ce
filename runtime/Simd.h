#pragma once

// The 16-byte vector operations that the scanning is written in. On amd64 they are the
// processor's own SSE2 instructions; on arm64 SIMDe maps each onto NEON.
#ifndef SIMDE_ENABLE_NATIVE_ALIASES
#define SIMDE_ENABLE_NATIVE_ALIASES
#endif
#include <simde/x86/sse2.h>

#include <cstdint>

namespace tess::simd {

// The scans are written once over a vector width: Vec16 here, Vec32 where the processor has
// 32-byte vectors. Internal linkage, as for everything that the scans inline: the same header
// is compiled for more than one instruction set, and the linker must never take one file's copy
// for another's.
namespace {

struct Vec16 {
    using V = __m128i;
    static constexpr unsigned kBytes = 16;

    static V Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static V Bytes(char c) { return _mm_set1_epi8(c); }
    static V Units(short u) { return _mm_set1_epi16(u); }
    // Byte i of the vector is i.
    static V Index() { return _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15); }
    static V Eq8(V a, V b) { return _mm_cmpeq_epi8(a, b); }
    static V Gt8(V a, V b) { return _mm_cmpgt_epi8(a, b); }  // as signed bytes
    static V Eq16(V a, V b) { return _mm_cmpeq_epi16(a, b); }
    static V Add8(V a, V b) { return _mm_add_epi8(a, b); }
    static V And(V a, V b) { return _mm_and_si128(a, b); }
    static V Or(V a, V b) { return _mm_or_si128(a, b); }
    static V SwapUnitBytes(V a) { return _mm_or_si128(_mm_slli_epi16(a, 8), _mm_srli_epi16(a, 8)); }
    // Bit i set where byte i's top bit is.
    static std::uint64_t Mask(V a) { return std::uint32_t(_mm_movemask_epi8(a)); }
};

}  // namespace

}  // namespace tess::simd
