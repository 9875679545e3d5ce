#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "runtime/LineReader.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using testing::TempDir;
using testing::WriteFile;

// Every line of `bytes`, read through blocks of `blockSize` bytes.
std::vector<std::string> ReadAll(const std::string& bytes, std::size_t blockSize)
{
    TempDir dir;
    const std::string path = dir.path() + "source.txt";
    WriteFile(path, bytes);
    LineReader reader(blockSize);
    EXPECT_EQ(reader.open(path), 0);
    EXPECT_EQ(reader.sizeAtOpen(), bytes.size());
    std::vector<std::string> lines;
    for (;;) {
        bool atEnd = false;
        EXPECT_EQ(reader.atEnd(atEnd), 0);
        if (atEnd)
            break;
        std::string_view line;
        EXPECT_EQ(reader.readLine(line), 0);
        lines.emplace_back(line);
    }
    EXPECT_EQ(reader.bytesRead(), bytes.size());
    return lines;
}

using Lines = std::vector<std::string>;

class LineReaderBlocks : public ::testing::TestWithParam<std::size_t> {};

TEST_P(LineReaderBlocks, EndsALineAtCrAtCrLfAndAtLf)
{
    const std::size_t block = GetParam();
    EXPECT_EQ(ReadAll("a\r\nb\rc\nd", block), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(ReadAll("a\r\n", block), (Lines{"a"}));
    EXPECT_EQ(ReadAll("a\r", block), (Lines{"a"}));
    EXPECT_EQ(ReadAll("a\n\rb", block), (Lines{"a", "", "b"}));     // LF then CR: two ends
    EXPECT_EQ(ReadAll("\r\n\r\n", block), (Lines{"", ""}));
    EXPECT_EQ(ReadAll("\r\r\n\n", block), (Lines{"", "", ""}));
    EXPECT_EQ(ReadAll("", block), Lines{});
    EXPECT_EQ(ReadAll("last line has no end", block), (Lines{"last line has no end"}));
}

TEST_P(LineReaderBlocks, KeepsEveryOtherByteOfALine)
{
    const std::string odd("\t\0\x1A\xFF\x81 \xA1\xA1", 8);
    EXPECT_EQ(ReadAll(odd + "\r\n" + odd, GetParam()), (Lines{odd, odd}));
}

TEST_P(LineReaderBlocks, ReadsLinesLongerThanItsBlock)
{
    const std::string longLine(5000, 'x');
    EXPECT_EQ(ReadAll("s\r\n" + longLine + "\r\nt", GetParam()), (Lines{"s", longLine, "t"}));
}

// Blocks of one byte put a CR LF across every boundary; 4096 holds the whole text.
INSTANTIATE_TEST_SUITE_P(BlockSizes, LineReaderBlocks, ::testing::Values(1, 2, 3, 7, 16, 4096));

TEST(LineReader, SaysWhyASourceCannotBeOpened)
{
    TempDir dir;
    LineReader reader;
    EXPECT_EQ(reader.open(dir.path() + "missing.txt"), ENOENT);
    EXPECT_EQ(reader.open(dir.path()), EISDIR);
    EXPECT_FALSE(reader.isOpen());
}

TEST(LineReader, ReportsAFailingRead)
{
    // Offset 0 of a process's own memory file is never mapped: reading it fails with EIO.
    LineReader reader;
    ASSERT_EQ(reader.open("/proc/self/mem"), 0);
    bool atEnd = false;
    EXPECT_EQ(reader.atEnd(atEnd), EIO);
}

}  // namespace
}  // namespace tess
