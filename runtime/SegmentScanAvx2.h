#pragma once

// The segment scan in AVX2's 32-byte vectors, in a file of its own that only an amd64 build
// compiles, with -mavx2 -mbmi -mpopcnt: call it only on a processor that has them all.

#include <cstddef>

#include "runtime/SegmentScan.h"

namespace tess {

#ifdef TESSALINE_AVX2_SCAN
// A SegmentScanner.
std::size_t ScanSegmentAvx2(SegmentScan& scan);
#endif

}  // namespace tess
