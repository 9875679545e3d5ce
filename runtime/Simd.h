#pragma once

// The 16-byte vector operations that the scanning is written in, under their x86 names. On
// amd64 they are the processor's own SSE2 instructions; on arm64 SIMDe maps each onto NEON.
#ifndef SIMDE_ENABLE_NATIVE_ALIASES
#define SIMDE_ENABLE_NATIVE_ALIASES
#endif
#include <simde/x86/sse2.h>
