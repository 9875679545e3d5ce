#include <gtest/gtest.h>

#include <random>
#include <string>

#include "runtime/CodePage.h"
#include "support/Cp936Reference.h"

namespace tess {
namespace {

using testing::ReferenceCp936Chars;

std::size_t Cp936(std::string_view bytes) { return CountChars(CodePage::Cp936, bytes); }
std::size_t Utf8(std::string_view bytes) { return CountChars(CodePage::Utf8, bytes); }

TEST(Cp936Count, CountsADoubleByteCharacterAsOne)
{
    EXPECT_EQ(Cp936(""), 0u);
    EXPECT_EQ(Cp936("abc"), 3u);
    EXPECT_EQ(Cp936("\xD6\xD0\xCE\xC4"), 2u);          // 中文
    EXPECT_EQ(Cp936("\xA1\xA1" "ab"), 3u);             // ideographic space, then ASCII
    EXPECT_EQ(Cp936("\x81\x40"), 1u);                   // lowest lead, lowest trail
    EXPECT_EQ(Cp936("\xFE\xFE"), 1u);
    EXPECT_EQ(Cp936("\x81\x80"), 1u);                   // 0x80 is a trail
}

TEST(Cp936Count, CountsEveryUndecodableByteAsOne)
{
    EXPECT_EQ(Cp936("\x81"), 1u);            // a lead at the end
    EXPECT_EQ(Cp936("\x81\x7F"), 2u);        // 0x7F is never a trail
    EXPECT_EQ(Cp936("\x81\x3F"), 2u);
    EXPECT_EQ(Cp936("\x81\xFF"), 2u);
    EXPECT_EQ(Cp936("\x80\xFF\x80"), 3u);    // neither can lead
    EXPECT_EQ(Cp936("\x81\x81\x81"), 2u);    // pairs from the left: one pair, one lone lead
    EXPECT_EQ(Cp936("\x81\x81\x81\x41"), 2u);
    EXPECT_EQ(Cp936(std::string("\x81\0", 2)), 2u);
}

TEST(Cp936Count, PairsAcrossEverySixtyFourByteBoundary)
{
    for (std::size_t ascii = 0; ascii < 70; ++ascii) {
        const std::string text = std::string(ascii, 'a') + "\xD6\xD0\xD6\xD0\xD6" + "A";
        EXPECT_EQ(Cp936(text), ascii + 3) << "after " << ascii << " ASCII bytes";
    }
    const std::string longRun(1001, '\xB0');  // 500 pairs and a lone lead
    EXPECT_EQ(Cp936(longRun), 501u);
    EXPECT_EQ(Cp936(longRun + "@"), 501u);
}

TEST(Cp936Count, AgreesWithTheByteByByteCountOnRandomBytes)
{
    std::mt19937 random(20261207);
    const unsigned char interesting[] = {0x00, 0x0D, 0x20, 0x3F, 0x40, 0x41, 0x7E, 0x7F,
                                         0x80, 0x81, 0xA1, 0xB0, 0xD6, 0xFE, 0xFF};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(random() % 300, '\0');
        for (char& b : bytes)
            b = static_cast<char>(random() % 3 ? interesting[random() % sizeof interesting] : random() % 256);
        ASSERT_EQ(Cp936(bytes), ReferenceCp936Chars(bytes)) << "round " << round;
    }
}

TEST(Utf8Count, CountsWellFormedSequencesAsOneAndEveryIllFormedByteAsOne)
{
    EXPECT_EQ(Utf8("abc"), 3u);
    EXPECT_EQ(Utf8("中文"), 2u);
    EXPECT_EQ(Utf8("é😀x"), 3u);
    EXPECT_EQ(Utf8(std::string(40, 'a') + "中"), 41u);
    EXPECT_EQ(Utf8("\xE4\xB8"), 2u);          // truncated sequence
    EXPECT_EQ(Utf8("\x80\xBF"), 2u);          // lone continuation bytes
    EXPECT_EQ(Utf8("\xC0\xAF"), 2u);          // overlong
    EXPECT_EQ(Utf8("\xED\xA0\x80"), 3u);      // a surrogate
    EXPECT_EQ(Utf8("\xF4\x90\x80\x80"), 4u);  // beyond U+10FFFF
    EXPECT_EQ(Utf8("\xD6\xD0"), 2u);          // CP936 bytes read as UTF-8
}

}  // namespace
}  // namespace tess
