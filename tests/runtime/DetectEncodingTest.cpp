#include <gtest/gtest.h>

#include <string>

#include "runtime/DetectEncoding.h"
#include "support/Utf16Text.h"

namespace tess {
namespace {

std::string Utf16LE(const std::u16string& text) { return testing::Utf16Bytes(text); }
std::string Utf16BE(const std::u16string& text) { return testing::Utf16Bytes(text, true); }

std::string Repeat(const std::string& s, std::size_t times)
{
    std::string out;
    while (times--)
        out += s;
    return out;
}

// ASCII `units` two-byte units long with a NUL in the high byte of the first, as UTF-16LE has.
std::string OneHighNulIn(std::size_t units)
{
    std::string s(2 * units, 'a');
    s[1] = '\0';
    return s;
}

TEST(DetectEncoding, DecidesByMarkThenUtf8ThenNulsThenTheDoubleByteFamily)
{
    using E = Encoding;
    const std::string chinese16 = Utf16LE(u"上不在中文。\r\n");  // 0x0A and 0x0D inside 上 and 不
    const struct {
        const char* note;
        std::string sample;
        Encoding encoding;
        std::size_t mark;
        bool utf32;
    } cases[] = {
        {"empty", "", E::DoubleByte, 0, false},
        {"ASCII only", Repeat("plain ascii text\r\n", 4000), E::DoubleByte, 0, false},
        {"UTF-8 mark", "\xEF\xBB\xBF  hello", E::Utf8, 3, false},
        {"UTF-8 mark alone", "\xEF\xBB\xBF", E::Utf8, 3, false},
        {"UTF-16LE mark", "\xFF\xFE" + Utf16LE(u"ab"), E::Utf16LE, 2, false},
        {"UTF-16BE mark", "\xFE\xFF" + Utf16BE(u"ab"), E::Utf16BE, 2, false},
        {"UTF-32LE mark", std::string("\xFF\xFE\0\0a\0\0\0", 8), E::DoubleByte, 0, true},
        {"UTF-32BE mark", std::string("\0\0\xFE\xFF\0\0\0a", 8), E::DoubleByte, 0, true},
        {"UTF-8 Chinese", "第一章 开始\r\n", E::Utf8, 0, false},
        {"UTF-8 cut by the sample's end", "中文\xE4\xB8", E::Utf8, 0, false},
        {"short UTF-8", "é", E::Utf8, 0, false},
        {"GBK Chinese", "\xB5\xDA\xD2\xBB\xD5\xC2 \xBF\xAA\xCA\xBC\r\n", E::DoubleByte, 0, false},
        {"GB18030 four-byte", "\x95\x32\x82\x36\r\n", E::DoubleByte, 0, false},
        {"ill-formed UTF-8 is not UTF-8", "中文\xC0\xAF", E::DoubleByte, 0, false},
        {"UTF-16LE Latin, no mark", Utf16LE(u"plain text\r\nmore\r\n"), E::Utf16LE, 0, false},
        {"UTF-16BE Latin, no mark", Utf16BE(u"plain text\r\nmore\r\n"), E::Utf16BE, 0, false},
        {"UTF-16LE Chinese, no mark", Repeat(chinese16, 50), E::Utf16LE, 0, false},
        {"ASCII with a few NULs", Repeat(std::string("some text\0 and more\r\n", 21), 30) + std::string(1, '\0'),
         E::DoubleByte, 0, false},
        {"NULs on both sides", Repeat(std::string("a\0\0b", 4), 100), E::DoubleByte, 0, false},
        {"a NUL in 64 units", OneHighNulIn(64), E::Utf16LE, 0, false},
        {"a NUL in 65 units", OneHighNulIn(65), E::DoubleByte, 0, false},
    };
    for (const auto& c : cases) {
        const Detection found = DetectEncoding(c.sample, false);
        EXPECT_EQ(found.utf32, c.utf32) << c.note;
        if (c.utf32)
            continue;
        EXPECT_EQ(EncodingName(found.encoding), EncodingName(c.encoding)) << c.note;
        EXPECT_EQ(found.markBytes, c.mark) << c.note;
    }
}

TEST(DetectEncoding, LooksNoFurtherThanItsSample)
{
    // Past 64 KiB of ASCII, a Chinese UTF-8 text is not seen.
    EXPECT_EQ(DetectEncoding(std::string(kDetectionSample, 'a') + "中文", false).encoding, Encoding::DoubleByte);
    EXPECT_EQ(DetectEncoding(std::string(kDetectionSample - 3, 'a') + "中文", false).encoding, Encoding::Utf8);
}

// Where the source itself ends, a cut sequence is ill-formed; where only the 64 KiB looked at
// end, it is not.
TEST(DetectEncoding, TakesACharacterCutByTheSourcesEndAsIllFormed)
{
    EXPECT_EQ(DetectEncoding(std::string("\0\xE9", 2), true).encoding, Encoding::Utf16BE);  // é, UTF-16BE
    EXPECT_EQ(DetectEncoding("a" + std::string(1, '\0') + "\x5C\xD5", true).encoding, Encoding::Utf16LE);
    EXPECT_EQ(DetectEncoding("中文\xE4\xB8", true).encoding, Encoding::DoubleByte);
    EXPECT_EQ(DetectEncoding(std::string(kDetectionSample - 1, 'a') + "中", true).encoding, Encoding::Utf8);
}

TEST(DetectEncoding, ANamedEncodingTakesOnlyItsOwnMark)
{
    EXPECT_EQ(NamedEncoding(Encoding::Utf8, "\xEF\xBB\xBFx").markBytes, 3u);
    EXPECT_EQ(NamedEncoding(Encoding::Utf16LE, "\xEF\xBB\xBFx").markBytes, 0u);
    EXPECT_EQ(NamedEncoding(Encoding::Utf16BE, "\xFE\xFF\0x").markBytes, 2u);
    EXPECT_EQ(NamedEncoding(Encoding::DoubleByte, "\xEF\xBB\xBFx").markBytes, 0u);
}

}  // namespace
}  // namespace tess
