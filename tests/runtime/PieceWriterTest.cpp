#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "runtime/PieceWriter.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(PieceWriter, AppendsEachLineWithCrLfAfterWhatTheFileHeld)
{
    TempDir dir;
    const std::string path = dir.path() + "piece1.txt";
    WriteFile(path, "old\r\n");
    PieceWriter writer(8, 2);  // smaller than most lines: every path through the buffers is taken
    writer.open(path);
    EXPECT_TRUE(writer.isOpen());
    for (const char* line : {"a", "bcdef", "a line longer than the buffer", "", "xy"})
        writer.writeLine(line);
    writer.close();
    EXPECT_FALSE(writer.isOpen());
    ASSERT_TRUE(writer.finish());
    EXPECT_EQ(ReadFile(path), "old\r\na\r\nbcdef\r\na line longer than the buffer\r\n\r\nxy\r\n");
}

TEST(PieceWriter, WritesPiecesOneAfterAnotherInTheirOrder)
{
    TempDir dir;
    PieceWriter writer(4, 2);
    for (int piece = 1; piece <= 20; ++piece) {
        writer.open(dir.path() + std::to_string(piece) + ".txt");
        writer.writeLine("piece " + std::to_string(piece));
        writer.writeLine("end");
        writer.close();
    }
    ASSERT_TRUE(writer.finish());
    for (int piece = 1; piece <= 20; ++piece)
        EXPECT_EQ(ReadFile(dir.path() + std::to_string(piece) + ".txt"),
                  "piece " + std::to_string(piece) + "\r\nend\r\n");
}

TEST(PieceWriter, StopsAtTheFirstFailureAndCreatesNothingAfterIt)
{
    TempDir dir;
    PieceWriter writer;
    writer.open(dir.path() + "no/such/folder.txt");
    writer.writeLine("lost");
    writer.close();
    writer.open(dir.path() + "after.txt");
    writer.writeLine("never");
    writer.close();
    EXPECT_FALSE(writer.finish());
    EXPECT_TRUE(writer.failed());
    EXPECT_EQ(writer.failure().step, PieceWriter::Step::Open);
    EXPECT_EQ(writer.failure().path, dir.path() + "no/such/folder.txt");
    EXPECT_EQ(writer.failure().code, ENOENT);
    EXPECT_FALSE(Exists(dir.path() + "after.txt"));
}

TEST(PieceWriter, ReportsAFailedWriteWithThePiecesPath)
{
    PieceWriter writer;
    writer.open("/dev/full");
    writer.writeLine("buffered, written when the piece is closed");
    EXPECT_FALSE(writer.failed()) << "nothing is written before the buffer is handed over";
    writer.close();
    EXPECT_FALSE(writer.finish());
    EXPECT_EQ(writer.failure().step, PieceWriter::Step::Write);
    EXPECT_EQ(writer.failure().path, "/dev/full");
    EXPECT_EQ(writer.failure().code, ENOSPC);
}

}  // namespace
}  // namespace tess
