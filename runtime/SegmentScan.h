#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/Encoding.h"
#include "runtime/NonCharacters.h"

namespace tess {

// One segment of a block to scan for line ends, and for how many characters begin when noting:
// what the scan reads, where it writes, and the look-back it carries from one segment to the
// next. The block's bytes from `from` to a whole chunk past `stop` must be readable.
struct SegmentScan {
    const char* block = nullptr;
    std::size_t from = 0;      // the segment's first chunk: a whole number of chunks past `origin`
    std::size_t stop = 0;      // where its line ends stop being listed
    std::size_t origin = 0;    // the block's first chunk, where `weights` begin
    Encoding encoding = Encoding::DoubleByte;
    bool noting = false;
    std::uint32_t* ends = nullptr;  // receives the ends; room for (stop - from) + 4 of them
    // Receives at (chunk - origin) / 64, when noting, the weight of the marks (see
    // NonCharacters) of the block's chunks up to and with that one, a single counting one and a
    // triple three: a stretch's characters are its bytes less the weight of its marks. A
    // block's weights fit 32 bits.
    std::uint32_t* weights = nullptr;
    std::uint64_t crBefore = 0;   // in and out: 1 when the byte before `from` is a CR
    NonCharacterCarry carry;      // in and out, when noting
    std::uint64_t weight = 0;     // in and out, when noting: the block's marks' weight before `from`
};

// Scans a segment; returns how many line ends it listed in `scan.ends`.
using SegmentScanner = std::size_t (*)(SegmentScan& scan);

// The scanner that every processor of the build's architecture runs.
SegmentScanner BaselineScanner();
// The fastest scanner this processor runs, chosen once: the baseline's lists and weights, with
// wider vectors where the processor has them.
SegmentScanner FastestScanner();

}  // namespace tess
