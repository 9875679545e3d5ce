#include <gtest/gtest.h>

#include <cmath>

#include "runtime/Text.h"

namespace tess {
namespace {

TEST(TrimSpaces, RemovesOnlyTheAsciiSpaceAtBothEnds)
{
    EXPECT_EQ(TrimSpaces("  book  "), "book");
    EXPECT_EQ(TrimSpaces("a  b"), "a  b");
    EXPECT_EQ(TrimSpaces("\tkeep\t"), "\tkeep\t");
    EXPECT_EQ(TrimSpaces(" \t x \t "), "\t x \t");
    EXPECT_EQ(TrimSpaces("\xA1\xA1段落 "), "\xA1\xA1段落");  // the ideographic indent stays
    EXPECT_EQ(TrimSpaces("    "), "");
    EXPECT_EQ(TrimSpaces(""), "");
}

TEST(LenientValue, ReadsTheNumberATextBeginsWith)
{
    EXPECT_EQ(LenientValue("3000"), 3000);
    EXPECT_EQ(LenientValue("3 000"), 3000);
    EXPECT_EQ(LenientValue("1 0"), 10);
    EXPECT_EQ(LenientValue(" \t\n42"), 42);
    EXPECT_EQ(LenientValue("12abc"), 12);
    EXPECT_EQ(LenientValue("12 秒"), 12);
    EXPECT_EQ(LenientValue("-5"), -5);
    EXPECT_EQ(LenientValue("+7"), 7);
    EXPECT_EQ(LenientValue("2.5"), 2.5);
    EXPECT_EQ(LenientValue(".5"), 0.5);
    EXPECT_EQ(LenientValue("1.2.3"), 1.2);
    EXPECT_EQ(LenientValue("1.5e3"), 1500);
    EXPECT_EQ(LenientValue("2D2"), 200);
    EXPECT_EQ(LenientValue("1e"), 1);   // an exponent without digits is not read
    EXPECT_EQ(LenientValue("1e+"), 1);
}

TEST(LenientValue, IsZeroForATextThatDoesNotBeginWithANumber)
{
    EXPECT_EQ(LenientValue(""), 0);
    EXPECT_EQ(LenientValue("   "), 0);
    EXPECT_EQ(LenientValue("000"), 0);
    EXPECT_EQ(LenientValue("abc12"), 0);
    EXPECT_EQ(LenientValue("e5"), 0);
    EXPECT_EQ(LenientValue("-"), 0);
    EXPECT_EQ(LenientValue("."), 0);
    EXPECT_EQ(LenientValue("３０"), 0);  // full-width digits are not digits
    EXPECT_FALSE(std::signbit(LenientValue("-0")));
}

TEST(LenientValue, SaturatesInsteadOfFailingOutOfRange)
{
    EXPECT_EQ(LenientValue("1e999"), HUGE_VAL);
    EXPECT_EQ(LenientValue("-1e999"), -HUGE_VAL);
    EXPECT_EQ(LenientValue("1e-999"), 0);
    EXPECT_EQ(LenientValue(std::string(400, '9')), HUGE_VAL);
}

TEST(NumberToText, WritesPlainDecimals)
{
    EXPECT_EQ(NumberToText(0), "0");
    EXPECT_EQ(NumberToText(3000), "3000");
    EXPECT_EQ(NumberToText(1024000), "1024000");
    EXPECT_EQ(NumberToText(123456789012345), "123456789012345");
    EXPECT_EQ(NumberToText(-3), "-3");
    EXPECT_EQ(NumberToText(2.5), "2.5");
    EXPECT_EQ(NumberToText(LenientValue("12 秒") + 1), "13");
}

}  // namespace
}  // namespace tess
