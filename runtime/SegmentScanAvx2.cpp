// Compiled with -mavx2 -mbmi -mpopcnt, and without link-time optimization. Nothing here may be
// shared with the files compiled for the baseline: every function it inlines has internal
// linkage, and a test reads its object file for any definition of code but ScanSegmentAvx2.
#include "runtime/SegmentScanAvx2.h"

#include "runtime/SegmentScanner.h"
#include "runtime/Vec32.h"

namespace tess {

std::size_t ScanSegmentAvx2(SegmentScan& scan) { return scan::ScanSegment<simd::Vec32>(scan); }

}  // namespace tess
