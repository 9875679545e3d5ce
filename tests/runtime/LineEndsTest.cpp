#include <gtest/gtest.h>

#include <random>
#include <string>

#include "runtime/LineEnds.h"

namespace tess {
namespace {

const std::string kCrLf = "\r\n";
const std::string kLeCrLf("\r\0\n\0", 4);
const std::string kBeCrLf("\0\r\0\n", 4);

TEST(LineEnds, AWriteEndsAfterTheLastLineEndThatFits)
{
    struct Case {
        std::string bytes;
        const std::string& lineEnd;
        std::size_t most;
        std::uint64_t intoLine;
        std::size_t taken;
    };
    const Case cases[] = {
        {"ab\r\ncd\r\nef", kCrLf, 20, 0, 10},  // they fit
        {"ab\r\ncd\r\nef", kCrLf, 9, 0, 8},
        {"ab\r\ncd\r\nef", kCrLf, 7, 0, 4},   // the second's LF lies past the most
        {"ab\r\ncd\r\nef", kCrLf, 3, 0, 10},  // no whole line end: all go
        {std::string("a\0\r\0\n\0b\0", 8), kLeCrLf, 7, 0, 6},
        {std::string("a\0\r\0\n\0b\0", 8), kLeCrLf, 7, 1, 8},  // its bytes straddle two units
        {std::string("\0a\0\r\0\nb\0", 8), kBeCrLf, 7, 0, 6},
        {std::string("\0a\0\r\0\nb\0", 8), kBeCrLf, 7, 3, 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WholeLinesWithin(c.bytes.data(), c.bytes.size(), c.most, c.lineEnd, c.intoLine), c.taken)
            << "case " << &c - cases;
}

// The backward search against the forward count of FindLineEnds, on bytes thick with the line
// ends' bytes, at every alignment.
TEST(LineEnds, AWriteEndsWhereTheForwardCountSaysTheLastWholeLineEnds)
{
    std::mt19937 random(2026);
    const std::string alphabet("\r\n\0a", 4);
    for (int round = 0; round < 20000; ++round) {
        const std::string& lineEnd = round % 3 == 0 ? kCrLf : round % 3 == 1 ? kLeCrLf : kBeCrLf;
        std::string bytes;
        for (std::size_t n = random() % 64; bytes.size() < n;)
            bytes += alphabet[random() % alphabet.size()];
        const std::size_t most = 1 + random() % 64;
        const std::uint64_t intoLine = random() % 5;
        const LineEnds within = FindLineEnds(bytes.data(), std::min(most, bytes.size()), lineEnd, intoLine);
        const std::size_t expected = bytes.size() <= most || within.count == 0 ? bytes.size() : within.pastLast;
        ASSERT_EQ(WholeLinesWithin(bytes.data(), bytes.size(), most, lineEnd, intoLine), expected)
            << "round " << round;
    }
}

}  // namespace
}  // namespace tess
