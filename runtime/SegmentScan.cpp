#include "runtime/SegmentScan.h"

#include "runtime/SegmentScanAvx2.h"
#include "runtime/SegmentScanner.h"

namespace tess {

SegmentScanner BaselineScanner() { return scan::ScanSegment<simd::Vec16>; }

SegmentScanner FastestScanner()
{
#ifdef TESSALINE_AVX2_SCAN
    static const SegmentScanner fastest =
        __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") && __builtin_cpu_supports("popcnt")
            ? ScanSegmentAvx2
            : BaselineScanner();
    return fastest;
#else
    return BaselineScanner();
#endif
}

}  // namespace tess
