#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "runtime/CharCounter.h"
#include "support/CharReference.h"

namespace tess {
namespace {

using testing::ReferenceChars;

// The count of `bytes` handed over in parts cut at `cuts`, each part followed by readable junk.
std::size_t CountInParts(Encoding encoding, const std::string& bytes, std::vector<std::size_t> cuts = {})
{
    CharCounter counter(encoding);
    std::size_t chars = 0;
    std::size_t from = 0;
    cuts.push_back(bytes.size());
    for (const std::size_t to : cuts) {
        std::string padded = bytes.substr(from, to - from) + std::string(64, '\x81');
        chars += counter.count(padded.data(), to - from);
        from = to;
    }
    return chars;
}

struct Case {
    Encoding encoding;
    const char* note;
    std::string bytes;
    std::size_t chars;
    std::vector<std::size_t> cuts = {};
};

TEST(CharCounter, CountsCharactersInEachEncoding)
{
    using E = Encoding;
    const Case cases[] = {
        {E::DoubleByte, "empty", "", 0},
        {E::DoubleByte, "ASCII", "abc", 3},
        {E::DoubleByte, "中文 in GBK", "\xD6\xD0\xCE\xC4", 2},
        {E::DoubleByte, "0x80 trails", "\x81\x80", 1},
        {E::DoubleByte, "0x7F never trails", "\x81\x7F", 2},
        {E::DoubleByte, "pairs from the left", "\x81\x81\x81\x41", 2},
        {E::DoubleByte, "GB18030 U+20000", "\x95\x32\x82\x36", 1},
        {E::DoubleByte, "two four-byte in a row", "\x95\x32\x82\x36\x95\x32\x82\x37", 2},
        {E::DoubleByte, "three pairs of lead-digit", "\x95\x32\x82\x36\x95\x32", 3},
        {E::DoubleByte, "a trail is no lead", "\x81\x81\x30\x81\x30", 4},
        {E::DoubleByte, "GB18030 U+20000 over three parts", "\x95\x32\x82\x36", 1, {1, 3}},
        {E::DoubleByte, "over a part ending in a short chunk", std::string(63, 'a') + "\x95\x32\x82\x36", 64, {65}},
        {E::Utf8, "中 over three parts", "中", 1, {1, 2}},
        {E::Utf8, "中文", "中文", 2},
        {E::Utf8, "mixed widths", "é😀x", 3},
        {E::Utf8, "truncated", "\xE4\xB8", 1},
        {E::Utf8, "lone continuations", "\x80\xBF", 2},
        {E::Utf8, "too many continuations", "\xC2\x80\x80", 2},
        {E::Utf8, "a lead with no continuation", "\xE4" "a", 2},
        {E::Utf16LE, "上不", "\x0A\x4E\x0D\x4E", 2},
        {E::Utf16LE, "U+20000 as a pair", std::string("\x40\xD8\x00\xDC", 4), 1},
        {E::Utf16LE, "lone low, lone high", std::string("\x00\xDC\x00\xD8" "a\0", 6), 3},
        {E::Utf16LE, "a lone byte at the end", std::string("a\0b", 3), 2},
        {E::Utf16BE, "U+20000 as a pair", std::string("\xD8\x40\xDC\x00", 4), 1},
        {E::Utf16BE, "上", "\x4E\x0A", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountInParts(c.encoding, c.bytes, c.cuts), c.chars) << c.note;
        EXPECT_EQ(ReferenceChars(c.encoding, c.bytes), c.chars) << "the reference, " << c.note;
    }
}

// Random bytes rich in the values that decide a count, cut into random parts: the fast count
// equals the one-at-a-time count, across every chunk and part boundary.
TEST(CharCounter, AgreesWithTheReferenceOnRandomBytesInRandomParts)
{
    std::mt19937 random(20261207);
    const unsigned char interesting[] = {0x00, 0x0D, 0x20, 0x30, 0x35, 0x39, 0x3F, 0x40, 0x41, 0x7E, 0x7F, 0x80,
                                         0x81, 0x95, 0xA1, 0xB0, 0xBF, 0xC2, 0xD6, 0xD8, 0xDC, 0xDF, 0xE4, 0xF0,
                                         0xF4, 0xFE, 0xFF};
    for (const Encoding e : {Encoding::DoubleByte, Encoding::Utf8, Encoding::Utf16LE, Encoding::Utf16BE}) {
        const std::size_t unit = UnitBytes(e);
        for (int round = 0; round < 1500; ++round) {
            std::string bytes(random() % 300, '\0');
            for (char& b : bytes)
                b = static_cast<char>(random() % 4 ? interesting[random() % sizeof interesting] : random() % 256);
            // Parts of a byte or two keep a character's look-back apart across several parts.
            const unsigned longest = random() % 2 ? 4 : 90;
            std::vector<std::size_t> cuts;
            for (std::size_t at = 1 + random() % longest; at < bytes.size(); at += 1 + random() % longest)
                if (at % unit == 0)
                    cuts.push_back(at);
            ASSERT_EQ(CountInParts(e, bytes, cuts), ReferenceChars(e, bytes))
                << EncodingName(e) << ", round " << round;
        }
    }
}

}  // namespace
}  // namespace tess
