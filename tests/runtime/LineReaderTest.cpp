#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "runtime/LineReader.h"
#include "support/TempDir.h"
#include "support/Utf16Text.h"

namespace tess {
namespace {

using testing::TempDir;
using testing::WriteFile;

// Every line of `bytes`, read through blocks of `blockSize` bytes, its parts put together.
std::vector<std::string> ReadAll(const std::string& bytes, std::size_t blockSize,
                                 Encoding encoding = Encoding::DoubleByte, std::size_t skip = 0)
{
    TempDir dir;
    const std::string path = dir.path() + "source.txt";
    WriteFile(path, bytes);
    LineReader reader(blockSize);
    EXPECT_EQ(reader.open(path), 0);
    EXPECT_EQ(reader.sizeAtOpen(), bytes.size());
    reader.useEncoding(encoding, skip);
    std::vector<std::string> lines;
    for (;;) {
        bool atEnd = false;
        EXPECT_EQ(reader.atEnd(atEnd), 0);
        if (atEnd)
            break;
        std::string line;
        for (bool ends = false; !ends;) {
            std::string_view part;
            EXPECT_EQ(reader.readPart(part, ends), 0);
            EXPECT_LE(part.size(), std::max<std::size_t>(blockSize, 2)) << "a part never outgrows the block";
            line += part;
        }
        lines.push_back(line);
    }
    EXPECT_EQ(reader.bytesRead(), bytes.size());
    return lines;
}

std::string Le(const std::u16string& text) { return testing::Utf16Bytes(text); }
std::string Be(const std::u16string& text) { return testing::Utf16Bytes(text, true); }

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

TEST_P(LineReaderBlocks, EndsUtf16LinesAtTheirUnitsOnly)
{
    const std::size_t block = GetParam();
    // 上 is 0A 4E and 不 is 0D 4E in little-endian order: bytes of a line end inside a character.
    EXPECT_EQ(ReadAll(Le(u"上不\r\nb\rc\nd"), block, Encoding::Utf16LE), (Lines{Le(u"上不"), Le(u"b"), Le(u"c"), Le(u"d")}));
    EXPECT_EQ(ReadAll(Le(u"\r\r\n\n"), block, Encoding::Utf16LE), (Lines{"", "", ""}));
    EXPECT_EQ(ReadAll(Be(u"上不\r\nb\r"), block, Encoding::Utf16BE), (Lines{Be(u"上不"), Be(u"b")}));
    EXPECT_EQ(ReadAll(Le(u"a\r\nb") + "x", block, Encoding::Utf16LE), (Lines{Le(u"a"), Le(u"b") + "x"}))
        << "a lone byte at the end goes with the last line";
    EXPECT_EQ(ReadAll("\xFF\xFE" + Le(u"\r\na"), block, Encoding::Utf16LE, 2), (Lines{"", Le(u"a")}))
        << "the mark is skipped";
    EXPECT_EQ(ReadAll("\xEF\xBB\xBF\r\nb", block, Encoding::Utf8, 3), (Lines{"", "b"}));
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
