#pragma once

// The segment scan, written once over a vector width and compiled once for each instruction set
// that a scanner is built for. Internal linkage, as Simd.h says why.

#include <cstddef>
#include <cstdint>

#include "runtime/ChunkScan.h"
#include "runtime/NonCharacterScan.h"
#include "runtime/SegmentScan.h"

namespace tess::scan {

namespace {

constexpr std::uint64_t kTopBit = 1ULL << 63;
constexpr std::size_t kPrefetchAhead = 2048;  // bytes: 32 chunks, a few hundred cycles of scanning

// Four ends are written whether the chunk has them or not: the list has room, and most chunks
// then need no loop whose length the processor cannot foresee. The ends are counted as they
// are taken, which needs no popcount instruction. Returns how many there are.
inline std::size_t ListEnds(std::uint32_t* out, std::uint32_t chunk, std::uint64_t ends)
{
    std::size_t count = 0;
    #pragma GCC unroll 4
    for (int i = 0; i < 4; ++i) {
        out[i] = chunk + static_cast<std::uint32_t>(__builtin_ctzll(ends | kTopBit));
        count += ends != 0;
        ends &= ends - 1;
    }
    for (std::uint32_t* more = out + 4; ends; ends &= ends - 1, ++count)
        *more++ = chunk + static_cast<std::uint32_t>(__builtin_ctzll(ends));
    return count;
}

// What a scan does besides listing line ends. Each is a value the scan keeps in registers and
// hands back at the segment's end: state kept in memory would be stored and loaded again for
// every chunk, since the weights it writes might alias it.
template <class W>
struct NoNote {
    void operator()(const chunk::Chunk<W>&, std::size_t) {}
};

template <class W, Encoding encoding>
struct NonCharacterNote {
    std::uint32_t* weights;
    NonCharacterCarry carry;
    std::uint64_t weight;
    // The bytes after the block's end are read too: no byte's mark depends on later ones. Only
    // the weight is kept, a sixth of the bytes that the marks would take: where a count ends
    // inside a chunk, its marks are found again (LineReader::placeOf).
    void operator()(const chunk::Chunk<W>& c, std::size_t index)
    {
        weight += nonchar::Weight(nonchar::Find<encoding>(c, chunk::kBytes, carry));
        weights[index] = static_cast<std::uint32_t>(weight);
    }
};

template <class W, class Note>
std::size_t ScanChunks(SegmentScan& scan, Note& note)
{
    const char* const block = scan.block;
    const std::size_t stop = scan.stop;
    const std::size_t origin = scan.origin;
    const bool wide = scan.encoding == Encoding::Utf16LE || scan.encoding == Encoding::Utf16BE;
    // A lone byte at the end of a 16-bit source ends no line, though with the zeros after it
    // it may read as a line-end unit. Units begin at even places of a block.
    const std::size_t endsStop = wide ? stop & ~std::size_t{1} : stop;
    const bool bigEndian = scan.encoding == Encoding::Utf16BE;
    std::uint32_t* const ends = scan.ends;
    std::uint64_t crBefore = scan.crBefore;
    std::size_t count = 0;
    for (std::size_t at = scan.from; at < stop; at += chunk::kBytes) {
        // A block read ahead by the writing thread lies in the other core's cache, and the
        // processor's own prefetching did not reach across: without this the scan waited on
        // every chunk's first load, and a read-ahead cost more than it saved.
        __builtin_prefetch(block + at + kPrefetchAhead);
        const chunk::Chunk<W> c(block + at);
        const std::uint64_t found = wide ? chunk::LineEnds16(c, crBefore, bigEndian) : chunk::LineEnds(c, crBefore);
        const auto valid = static_cast<unsigned>(endsStop - at < chunk::kBytes ? endsStop - at : chunk::kBytes);
        count += ListEnds(ends + count, static_cast<std::uint32_t>(at), found & chunk::LowBits(valid));
        note(c, (at - origin) / chunk::kBytes);
    }
    scan.crBefore = crBefore;
    return count;
}

template <class W, Encoding encoding>
std::size_t NoteChunks(SegmentScan& scan)
{
    NonCharacterNote<W, encoding> note{scan.weights, scan.carry, scan.weight};
    const std::size_t count = ScanChunks<W>(scan, note);
    scan.carry = note.carry;
    scan.weight = note.weight;
    return count;
}

// A SegmentScanner in W's vectors, with the encoding's rules chosen once a segment rather than
// once a chunk.
template <class W>
std::size_t ScanSegment(SegmentScan& scan)
{
    if (!scan.noting) {
        NoNote<W> none;
        return ScanChunks<W>(scan, none);
    }
    switch (scan.encoding) {
    case Encoding::DoubleByte: return NoteChunks<W, Encoding::DoubleByte>(scan);
    case Encoding::Utf8: return NoteChunks<W, Encoding::Utf8>(scan);
    case Encoding::Utf16LE: return NoteChunks<W, Encoding::Utf16LE>(scan);
    case Encoding::Utf16BE: break;
    }
    return NoteChunks<W, Encoding::Utf16BE>(scan);
}

}  // namespace

}  // namespace tess::scan
