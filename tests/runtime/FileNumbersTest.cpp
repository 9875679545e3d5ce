#include <gtest/gtest.h>

#include "runtime/FileNumbers.h"

namespace tess {
namespace {

TEST(FileNumbers, HandsOutTheLowestFreeNumberAndReusesReleasedOnes)
{
    FileNumbers table;
    EXPECT_EQ(table.lowestFree(), 1);
    EXPECT_TRUE(table.take(1));
    EXPECT_TRUE(table.take(2));
    EXPECT_FALSE(table.take(2));
    EXPECT_EQ(table.lowestFree(), 3);
    table.release(1);
    EXPECT_EQ(table.lowestFree(), 1);
}

TEST(FileNumbers, KnowsOnlyOneTo255)
{
    FileNumbers table;
    EXPECT_FALSE(table.take(0));
    EXPECT_FALSE(table.take(256));
    for (int number = 1; number <= FileNumbers::kLast; ++number)
        ASSERT_TRUE(table.take(number));
    EXPECT_EQ(table.lowestFree(), 0);
    table.release(200);
    EXPECT_EQ(table.lowestFree(), 200);
}

}  // namespace
}  // namespace tess
