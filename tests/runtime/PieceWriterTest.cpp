#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include <unistd.h>

#include "runtime/PieceWriter.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(PieceWriter, AppendsEachLineWithCrLfAfterWhatTheFileHeld)
{
    TempDir dir;
    const std::string path = dir.path() + "piece1.txt";
    WriteFile(path, "old\r\n");
    PieceWriter writer(8);  // smaller than most lines: every path through the buffer is taken
    ASSERT_EQ(writer.open(path), 0);
    for (const char* line : {"a", "bcdef", "a line longer than the buffer", "", "xy"})
        ASSERT_EQ(writer.writeLine(line), 0);
    ASSERT_EQ(writer.close(), 0);
    EXPECT_EQ(ReadFile(path), "old\r\na\r\nbcdef\r\na line longer than the buffer\r\n\r\nxy\r\n");
    EXPECT_FALSE(writer.isOpen());
}

TEST(PieceWriter, ReusesItsBufferForTheNextFile)
{
    TempDir dir;
    PieceWriter writer;
    ASSERT_EQ(writer.open(dir.path() + "1.txt"), 0);
    ASSERT_EQ(writer.writeLine("first"), 0);
    ASSERT_EQ(writer.close(), 0);
    ASSERT_EQ(writer.open(dir.path() + "2.txt"), 0);
    ASSERT_EQ(writer.writeLine("second"), 0);
    ASSERT_EQ(writer.close(), 0);
    EXPECT_EQ(ReadFile(dir.path() + "1.txt"), "first\r\n");
    EXPECT_EQ(ReadFile(dir.path() + "2.txt"), "second\r\n");
}

TEST(PieceWriter, SaysWhyAFileCannotBeOpenedOrWritten)
{
    TempDir dir;
    PieceWriter writer;
    EXPECT_EQ(writer.open(dir.path() + "no/such/folder.txt"), ENOENT);
    EXPECT_EQ(writer.open(dir.path()), EISDIR);

    ASSERT_EQ(writer.open("/dev/full"), 0);
    ASSERT_EQ(writer.writeLine("buffered, not yet written"), 0);
    EXPECT_EQ(writer.close(), ENOSPC);
    EXPECT_FALSE(writer.isOpen());
}

TEST(PieceWriter, DiscardDropsTheBufferAndClosesTheFile)
{
    TempDir dir;
    const std::string path = dir.path() + "piece.txt";
    PieceWriter writer;
    ASSERT_EQ(writer.open(path), 0);
    ASSERT_EQ(writer.writeLine("never written"), 0);
    writer.discard();
    EXPECT_FALSE(writer.isOpen());
    EXPECT_EQ(ReadFile(path), "");
}

}  // namespace
}  // namespace tess
