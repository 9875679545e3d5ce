#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "runtime/SegmentScan.h"

namespace tess {
namespace {

bool IsUnit(const std::string& block, std::size_t at, std::size_t unit, bool bigEndian, char c)
{
    if (unit == 1)
        return block[at] == c;
    return block[at + (bigEndian ? 1 : 0)] == c && block[at + (bigEndian ? 0 : 1)] == 0;
}

// The line ends of block[origin, usable) read a unit at a time: a CR, or an LF after no CR.
std::vector<std::uint32_t> PlainLineEnds(const std::string& block, std::size_t origin, std::size_t usable,
                                         Encoding encoding)
{
    const std::size_t unit = UnitBytes(encoding);
    const bool bigEndian = encoding == Encoding::Utf16BE;
    std::vector<std::uint32_t> ends;
    bool afterCr = false;
    for (std::size_t at = origin; at + unit <= usable; at += unit) {
        const bool cr = IsUnit(block, at, unit, bigEndian, '\r');
        if (cr || (IsUnit(block, at, unit, bigEndian, '\n') && !afterCr))
            ends.push_back(static_cast<std::uint32_t>(at));
        afterCr = cr;
    }
    return ends;
}

struct Scan {
    std::vector<std::uint32_t> ends;
    std::vector<std::uint32_t> weights;
};

// The whole of block[origin, usable) scanned by `scanner` in segments of random whole chunks.
Scan ScanInSegments(SegmentScanner scanner, const std::string& block, std::size_t origin, std::size_t usable,
                    Encoding encoding, bool noting, std::mt19937& random)
{
    Scan result;
    result.weights.resize((usable - origin) / 64 + 1);
    SegmentScan scan;
    scan.block = block.data();
    scan.origin = scan.from = origin;
    scan.encoding = encoding;
    scan.noting = noting;
    scan.weights = result.weights.data();
    while (scan.from < usable) {
        scan.stop = std::min(scan.from + 64 * (1 + random() % 80), usable);
        std::vector<std::uint32_t> ends(scan.stop - scan.from + 4);
        scan.ends = ends.data();
        ends.resize(scanner(scan));
        result.ends.insert(result.ends.end(), ends.begin(), ends.end());
        scan.from = scan.stop;
    }
    return result;
}

// The weight so far of the marks of the character counter's chunk-at-a-time rules, chunk by chunk.
std::vector<std::uint32_t> ReferenceWeights(const std::string& block, std::size_t origin, std::size_t usable,
                                            Encoding encoding)
{
    std::vector<std::uint32_t> weights;
    NonCharacterCarry carry;
    std::uint32_t weight = 0;
    for (std::size_t at = origin; at < usable; at += 64) {
        const NonCharacters non = FindNonCharacters(encoding, block.data() + at, 64, carry);
        weight += __builtin_popcountll(non.single) + 3 * __builtin_popcountll(non.triple);
        weights.push_back(weight);
    }
    return weights;
}

// Random blocks rich in line ends and in the bytes that decide a character, scanned a segment at
// a time: every scanner lists the ends that a unit-at-a-time reading finds, and notes the weights
// of the chunk-at-a-time character rules, whatever the vector width it was built for.
TEST(SegmentScan, EveryScannerAgreesWithThePlainReading)
{
    const unsigned char interesting[] = {0x00, 0x0A, 0x0D, 0x20, 0x30, 0x39, 0x40, 0x7F, 0x80,
                                         0x81, 0xBF, 0xC2, 0xD8, 0xDC, 0xE4, 0xF0, 0xFE, 0xFF};
    const std::pair<const char*, SegmentScanner> scanners[] = {{"baseline", BaselineScanner()},
                                                               {"fastest", FastestScanner()}};
    std::mt19937 random(20261207);
    for (const auto& [name, scanner] : scanners) {
        for (const Encoding e : {Encoding::DoubleByte, Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE}) {
            for (int round = 0; round < 40; ++round) {
                const std::size_t unit = UnitBytes(e);
                const std::size_t origin = unit * (random() % 2);
                const std::size_t usable = origin + unit * (random() % 20000);
                std::string block(usable + 64, '\0');  // a zeroed chunk after, as the reader has
                for (std::size_t i = 0; i < usable; ++i)
                    block[i] = static_cast<char>(random() % 3 ? interesting[random() % sizeof interesting]
                                                              : random() % 256);
                const bool noting = round % 2 == 0;
                const Scan scan = ScanInSegments(scanner, block, origin, usable, e, noting, random);
                const std::string what = std::string(name) + ", " + std::string(EncodingName(e)) + ", round " +
                                         std::to_string(round);
                ASSERT_EQ(scan.ends, PlainLineEnds(block, origin, usable, e)) << what;
                if (!noting)
                    continue;
                std::vector<std::uint32_t> weights = scan.weights;
                weights.resize((usable - origin + 63) / 64);
                ASSERT_EQ(weights, ReferenceWeights(block, origin, usable, e)) << what;
            }
        }
    }
}

}  // namespace
}  // namespace tess
