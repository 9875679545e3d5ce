#pragma once

// The vector code behind FindNonCharacters, inline for the loops that call it on every chunk:
// the segment scan and the character counter; and the weight of the marks it finds. Include it
// only where bytes are scanned or counted.

#include <cstdint>

#include "runtime/ChunkScan.h"
#include "runtime/NonCharacters.h"
#include "runtime/Simd.h"

namespace tess::nonchar {

namespace {  // internal linkage: see Simd.h

using chunk::Bits;
using chunk::Chunk;

// Bit i set where byte i is in [low, high], both as signed bytes.
template <int low, int high, class W>
inline std::uint64_t InRange(const Chunk<W>& c)
{
    static_assert(-128 <= low && low <= high && high < 127);
    return Bits(c, [](typename W::V v) {
        typename W::V in = W::Gt8(W::Bytes(static_cast<char>(high + 1)), v);
        if constexpr (low > -128)
            in = W::And(in, W::Gt8(v, W::Bytes(static_cast<char>(low - 1))));
        return in;
    });
}

// `mask` moved up by `k` bytes, with the top of the previous chunk's coming in below.
inline std::uint64_t Behind(std::uint64_t mask, std::uint64_t previous, unsigned k)
{
    return (mask << k) | (previous >> (64 - k));
}

// Keeps the masks' valid bits at the top, for the next chunk to look back on; below them, after
// a chunk of fewer bytes than a character may span, the older look-back, which a character cut
// over three parts still needs. Word by word: an array of them would be built on the stack and
// copied in vectors that wait on its stores.
template <class... Masks>
inline void Remember(NonCharacterCarry& carry, unsigned valid, Masks... masks)
{
    int i = 0;
    if (valid == 64)
        ((carry.masks[i++] = masks), ...);
    else
        ((carry.masks[i] = (masks << (64 - valid)) | (carry.masks[i] >> valid), ++i), ...);
}

// Double-byte family: pairs, then GB18030 four-byte sequences, each counted once.
template <class W>
inline NonCharacters DoubleByteChunk(const Chunk<W>& c, unsigned valid, NonCharacterCarry& carry)
{
    const std::uint64_t high = InRange<-127, -2>(c);  // 0x81-0xFE
    // What may trail a lead: 0x40-0x7E and 0x80-0xFE, so all but 0x00-0x3F, 0x7F and 0xFF.
    const std::uint64_t trailable = ~Bits(c, [](typename W::V v) {
        const typename W::V low = W::And(W::Gt8(v, W::Bytes(-1)), W::Gt8(W::Bytes(0x40), v));
        return W::Or(low, W::Eq8(W::Or(v, W::Bytes(-128)), W::Bytes(-1)));
    });
    const std::uint64_t digit = InRange<0x30, 0x39>(c);
    std::uint64_t placeCarry = carry.place;
    const std::uint64_t places = chunk::TrailPlaces(high, placeCarry);
    carry.place = valid < 64 ? (places >> valid) & 1 : placeCarry;
    const std::uint64_t trails = places & trailable;
    const std::uint64_t lead = high & ~places;
    // A digit that ends lead, digit, lead, digit stands for three bytes that count nothing. In a
    // chain of such pairs the sequences go two pairs at a time from the chain's start, so an end
    // two bytes after another one ends no sequence of its own.
    const std::uint64_t candidates = digit & Behind(high, carry.masks[0], 1) & Behind(digit, carry.masks[1], 2) &
                                     Behind(lead, carry.masks[2], 3);
    std::uint64_t fourEnds = candidates;
    for (std::uint64_t before = 0; candidates && before != fourEnds;) {
        before = fourEnds;
        fourEnds = candidates & ~Behind(fourEnds, carry.masks[3], 2);
    }
    Remember(carry, valid, high, digit, lead, fourEnds);
    return {trails, fourEnds};
}

// UTF-8: a continuation byte that its lead's top bits announce counts nothing.
template <class W>
inline NonCharacters Utf8Chunk(const Chunk<W>& c, unsigned valid, NonCharacterCarry& carry)
{
    const std::uint64_t cont = InRange<-128, -65>(c);   // 0x80-0xBF
    const std::uint64_t lead2 = InRange<-64, -1>(c);   // 0xC0-0xFF
    const std::uint64_t lead3 = InRange<-32, -1>(c);   // 0xE0-0xFF
    const std::uint64_t lead4 = InRange<-16, -1>(c);   // 0xF0-0xFF
    const std::uint64_t cont1 = Behind(cont, carry.masks[0], 1);
    const std::uint64_t cont2 = Behind(cont, carry.masks[0], 2);
    const std::uint64_t continues = cont & (Behind(lead2, carry.masks[1], 1) |
                                            (cont1 & Behind(lead3, carry.masks[2], 2)) |
                                            (cont1 & cont2 & Behind(lead4, carry.masks[3], 3)));
    Remember(carry, valid, cont, lead2, lead3, lead4);
    return {continues, 0};
}

// UTF-16: a unit's second byte counts nothing, nor does a low surrogate right after a high one.
template <class W>
inline NonCharacters Utf16Chunk(const Chunk<W>& c, unsigned valid, bool bigEndian, NonCharacterCarry& carry)
{
    auto unitsWithTop = [bigEndian](short top) {
        return [bigEndian, top](typename W::V units) {
            if (bigEndian)
                units = W::SwapUnitBytes(units);
            return W::Eq16(W::And(units, W::Units(static_cast<short>(0xFC00))), W::Units(top));
        };
    };
    constexpr std::uint64_t kFirstBytes = 0x5555555555555555ULL;
    // A lone byte at the end of the source is no half of a surrogate.
    const std::uint64_t wholeUnits = kFirstBytes & chunk::LowBits(valid & ~1u);
    const std::uint64_t high = Bits(c, unitsWithTop(static_cast<short>(0xD800))) & wholeUnits;
    const std::uint64_t low = Bits(c, unitsWithTop(static_cast<short>(0xDC00))) & wholeUnits;
    const std::uint64_t paired = low & Behind(high, carry.masks[0], 2);
    Remember(carry, valid, high);
    return {paired | ~kFirstBytes, 0};
}

// What the marks among `bytes` take from a count of characters: a single one, a triple three.
inline std::uint64_t Weight(const NonCharacters& marks, std::uint64_t bytes = ~0ULL)
{
    std::uint64_t weight = chunk::CountBits(marks.single & bytes);
    if (const std::uint64_t triples = marks.triple & bytes)  // a rare GB18030 four-byte sequence
        weight += 3 * chunk::CountBits(triples);
    return weight;
}

// FindNonCharacters for an encoding known when compiling, on a chunk whose bytes from `valid`
// on are zero or do not matter (no byte's marks depend on later ones).
template <Encoding encoding, class W>
inline NonCharacters Find(const Chunk<W>& c, unsigned valid, NonCharacterCarry& carry)
{
    if constexpr (encoding == Encoding::DoubleByte)
        return DoubleByteChunk(c, valid, carry);
    else if constexpr (encoding == Encoding::Utf8)
        return Utf8Chunk(c, valid, carry);
    else
        return Utf16Chunk(c, valid, encoding == Encoding::Utf16BE, carry);
}

}  // namespace

}  // namespace tess::nonchar
