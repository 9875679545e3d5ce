#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <string>

#include <sys/resource.h>

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

TEST(PieceWriter, ClosesTheOpenPieceWhenAnotherIsOpened)
{
    TempDir dir;
    PieceWriter writer;
    writer.open(dir.path() + "1.txt");
    writer.writeLine("one");
    writer.open(dir.path() + "2.txt");
    writer.writeLine("two");
    ASSERT_TRUE(writer.finish());
    EXPECT_EQ(ReadFile(dir.path() + "1.txt"), "one\r\n");
    EXPECT_EQ(ReadFile(dir.path() + "2.txt"), "two\r\n");
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

// Lowers the file-size limit for one scope, with SIGXFSZ ignored so that a write past it fails
// instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(PieceWriter, CutsAWriteThatFailsPartWayBackToItsLastWholeLine)
{
    TempDir dir;
    const std::string path = dir.path() + "piece.txt";
    WriteFile(path, "old content without a line end");  // 30 bytes from an earlier run
    const std::string line(38, 'x');                   // 40 bytes with CR LF
    PieceWriter writer;
    {
        const FileSizeLimit limit(1000);
        writer.open(path);
        for (int i = 0; i < 100; ++i)
            writer.writeLine(line);
        writer.close();
        EXPECT_FALSE(writer.finish());
    }
    EXPECT_EQ(writer.failure().step, PieceWriter::Step::Write);
    EXPECT_EQ(writer.failure().code, EFBIG);
    std::string expected = "old content without a line end";
    for (int i = 0; i < 24; ++i)  // 30 + 24 * 40 = 990: the 25th line would pass the limit
        expected += line + "\r\n";
    EXPECT_EQ(ReadFile(path), expected);
    EXPECT_EQ(writer.written().pieces, 1u);
    EXPECT_EQ(writer.written().lines, 24u);
    EXPECT_EQ(writer.written().bytes, 24u * 40);
}

// A piece this run created goes when it keeps no line; one that was there before stays as it was.
TEST(PieceWriter, LeavesNoEmptyPieceOfItsOwnAndKeepsEveryPieceFoundThere)
{
    struct Case {
        const char* before;  // the piece's bytes before the run; null: it does not exist
        bool givenALine;     // "0123456789", which fails part-way past the limit
        rlim_t limit;
        const char* after;   // null: it does not exist
    };
    const rlim_t none = 1 << 20;
    const Case cases[] = {
        {nullptr, true, 3, nullptr},     // created, and its first write fails part-way
        {nullptr, true, 0, nullptr},     // created, and its first write fails at once
        {nullptr, false, none, nullptr},  // created, and closed without a line
        {"", true, 3, ""},
        {"", false, none, ""},
        {"old\r\n", true, 8, "old\r\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.path() + "piece.txt";
        if (c.before)
            WriteFile(path, c.before);
        PieceWriter writer;
        bool finished = false;
        {
            const FileSizeLimit limit(c.limit);
            writer.open(path);
            if (c.givenALine)
                writer.writeLine("0123456789");
            writer.close();
            finished = writer.finish();
        }
        SCOPED_TRACE(std::string(c.before ? c.before : "(none)") + ", limit " + std::to_string(c.limit));
        EXPECT_EQ(finished, c.limit == none);
        EXPECT_EQ(Exists(path), c.after != nullptr);
        if (c.after && Exists(path)) {
            EXPECT_EQ(ReadFile(path), c.after);
        }
        EXPECT_EQ(writer.written().pieces, c.after ? 1u : 0u);
    }
}

TEST(PieceWriter, CountsWhatItWrote)
{
    TempDir dir;
    PieceWriter writer(16, 2);  // lines spill across buffers: each still counts once
    writer.open(dir.path() + "1.txt");
    writer.writeLine("a line longer than sixteen bytes");
    writer.writeLine("b");
    writer.close();
    writer.open(dir.path() + "2.txt");
    writer.writeLine("c");
    writer.close();
    ASSERT_TRUE(writer.finish());
    EXPECT_EQ(writer.written().pieces, 2u);
    EXPECT_EQ(writer.written().lines, 3u);
    EXPECT_EQ(writer.written().bytes, 34u + 3 + 3);
}

}  // namespace
}  // namespace tess
