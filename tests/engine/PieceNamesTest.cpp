#include <gtest/gtest.h>

#include "engine/PieceNames.h"

namespace tess {
namespace {

TEST(SourceFileName, IsWhatFollowsTheLastSlashOfThePath)
{
    EXPECT_EQ(SourceFileName("/data/books/ book.txt "), " book.txt ");
    EXPECT_EQ(SourceFileName("book.txt"), "book.txt");
    EXPECT_EQ(SourceFileName("/data/dir/"), "");
}

TEST(BaseName, DropsTheLastFourCharactersWhateverTheyAre)
{
    EXPECT_EQ(BaseName("book.txt"), "book");
    EXPECT_EQ(BaseName("notes.log"), "notes");
    EXPECT_EQ(BaseName("readme"), "re");
    EXPECT_EQ(BaseName("a.md"), "");
    EXPECT_EQ(BaseName("ab"), "ab");     // too short to shorten: kept whole
    EXPECT_EQ(BaseName(""), "");
    EXPECT_EQ(BaseName("小说全集.txt"), "小说全集");
    EXPECT_EQ(BaseName("红楼梦第一回"), "红楼");  // characters, not bytes
}

TEST(PiecePath, JoinsItsPartsWithNothingBetween)
{
    EXPECT_EQ(PiecePath("/out/", "book", 1), "/out/book1.txt");
    EXPECT_EQ(PiecePath("/out", "book", 12), "/outbook12.txt");
    EXPECT_EQ(PiecePath("/out/", "", 3), "/out/3.txt");
}

}  // namespace
}  // namespace tess
