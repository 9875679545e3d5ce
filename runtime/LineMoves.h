#pragma once

// The fixed-size moves in which the loop over every kept line copies one (PieceWriter::LineSink).

#include "runtime/Simd.h"

// amd64 processors with 32-byte vectors move a line in half the instructions: a loop is then
// built a second time for them, as a function of its own with the wider instruction set, and
// chosen at run time (WideRuns below).
#if defined(__x86_64__) && defined(__GNUC__)
#define TESSALINE_WIDE_MOVES 1
#include <cpuid.h>
#endif

namespace tess::moves {

namespace {  // internal linkage, as for the vector helpers (see Simd.h)

// 64 bytes in 16-byte vectors: every processor of the build's architecture.
struct Narrow {
    static void Copy64(char* to, const char* from)
    {
        #pragma GCC unroll 4
        for (int i = 0; i < 4; ++i)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to) + i,
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(from) + i));
    }
};

#ifdef TESSALINE_WIDE_MOVES
// 64 bytes in 32-byte vectors, only inside a function built for AVX2: elsewhere the compiler
// splits a vector that wide through the stack.
struct Wide {
    typedef char V __attribute__((vector_size(32), aligned(1), may_alias));
    static void Copy64(char* to, const char* from)
    {
        reinterpret_cast<V*>(to)[0] = reinterpret_cast<const V*>(from)[0];
        reinterpret_cast<V*>(to)[1] = reinterpret_cast<const V*>(from)[1];
    }
};

// Whether this processor runs the Wide moves' build: AVX2, and PREFETCHW. Asked once.
inline bool WideRuns()
{
    static const bool runs = [] {
        unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
        const bool prefetchW = __get_cpuid(0x80000001, &eax, &ebx, &ecx, &edx) && (ecx & bit_PRFCHW) != 0;
        return prefetchW && __builtin_cpu_supports("avx2");
    }();
    return runs;
}
#endif

}  // namespace

}  // namespace tess::moves
