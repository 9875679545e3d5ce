#include "engine/SplitFixture.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "runtime/FileNumbers.h"

namespace tess {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::SplitFixture;
using Events = std::vector<std::string>;

const Events kRunEvents = {"timer on", "timer off"};

class SplitRunFailure : public SplitFixture {
protected:
    void expectFailure(const RunResult& result, RunFailure what, const std::string& path, int code)
    {
        EXPECT_EQ(result.outcome, RunOutcome::Failed);
        ASSERT_TRUE(result.error.has_value());
        EXPECT_EQ(result.error->what, what);
        EXPECT_EQ(result.error->path, path);
        EXPECT_EQ(result.error->error.value(), code);
        EXPECT_EQ(result.error->error.message(), std::strerror(code));
        EXPECT_EQ(FileNumbers::process().lowestFree(), 1) << "the run's file numbers are free again";
    }
};

TEST_F(SplitRunFailure, EndsAtOnceWhenTheSourceCannotBeOpened)
{
    request.sourceText = "  " + dir.path() + "missing.txt ";
    const RunResult result = split(SplitMode::ByLineCount, 10);
    expectFailure(result, RunFailure::OpenSource, dir.path() + "missing.txt", ENOENT);
    EXPECT_EQ(host.events, kRunEvents);
    EXPECT_FALSE(Exists(piece(1)));
}

TEST_F(SplitRunFailure, EndsAtOnceWhenTheSourceCannotBeRead)
{
    request.sourceText = "/proc/self/mem";  // reading its offset 0 fails with EIO
    expectFailure(split(SplitMode::ByLineCount, 10), RunFailure::ReadSource, "/proc/self/mem", EIO);
    EXPECT_EQ(host.events, kRunEvents);
}

TEST_F(SplitRunFailure, StopsAtAPieceThatCannotBeOpenedAndCreatesNothingAfterIt)
{
    source("a\r\nb\r\nc\r\n");
    ASSERT_EQ(::mkdir(out().c_str(), 0777), 0);
    ASSERT_EQ(::mkdir(piece(2).c_str(), 0777), 0);  // a folder where the second piece should go
    const RunResult result = split(SplitMode::ByLineCount, 1);
    expectFailure(result, RunFailure::OpenPiece, piece(2), EISDIR);
    EXPECT_EQ(ReadFile(piece(1)), "a\r\n");
    EXPECT_EQ(result.progress.piecesWritten, 1u) << "only what reached the disk counts";
    EXPECT_EQ(result.progress.linesKept, 1u);
    EXPECT_EQ(result.progress.bytesWritten, 3u);
    EXPECT_FALSE(Exists(piece(3)));
    EXPECT_EQ(host.events, kRunEvents);
}

TEST_F(SplitRunFailure, StopsAtAFailedWriteAndCreatesNothingAfterIt)
{
    source("a\r\nb\r\nc\r\nd\r\n");
    ASSERT_EQ(::mkdir(out().c_str(), 0777), 0);
    ASSERT_EQ(::symlink("/dev/full", piece(1).c_str()), 0);  // every write to it: no space left
    const RunResult result = split(SplitMode::ByLineCount, 2);
    expectFailure(result, RunFailure::WritePiece, piece(1), ENOSPC);
    EXPECT_EQ(result.progress.linesKept, 0u) << "lines handed over but never written do not count";
    EXPECT_EQ(result.progress.bytesWritten, 0u);
    EXPECT_FALSE(Exists(piece(2)));
    EXPECT_EQ(host.events, kRunEvents);
}

TEST_F(SplitRunFailure, ReportsAFailedWriteOfTheLastPieceInsteadOfCompleting)
{
    source("a\r\n");
    ASSERT_EQ(::mkdir(out().c_str(), 0777), 0);
    ASSERT_EQ(::symlink("/dev/full", piece(1).c_str()), 0);
    expectFailure(split(SplitMode::ByLineCount, 10), RunFailure::WritePiece, piece(1), ENOSPC);
    EXPECT_EQ(host.events, kRunEvents);
}

TEST_F(SplitRunFailure, TellsTheFolderThatCouldNotBeCreatedBeforeThePieceFailure)
{
    source("a\r\n");
    testing::WriteFile(dir.path() + "file", "");
    request.destinationText = dir.path() + "file/out/";
    expectFailure(split(SplitMode::ByLineCount, 10), RunFailure::OpenPiece, request.destinationText + "book1.txt",
                  ENOTDIR);
    EXPECT_EQ(host.events, (Events{"folder " + dir.path() + "file/ File exists", "timer on", "timer off"}));
}

TEST_F(SplitRunFailure, SeesAFailedWriteLongBeforeTheEndOfALargeSource)
{
    std::string text;
    for (int i = 0; text.size() < (8u << 20); ++i)
        text += "line " + std::to_string(i) + "\r\n";
    source(text);
    ASSERT_EQ(::mkdir(out().c_str(), 0777), 0);
    ASSERT_EQ(::symlink("/dev/full", piece(1).c_str()), 0);
    const RunResult result = split(SplitMode::ByLineCount, 1e9, 64 << 10);
    expectFailure(result, RunFailure::WritePiece, piece(1), ENOSPC);
    EXPECT_LT(result.progress.bytesRead, text.size() / 4) << "most of the source is never read";
}

// Another program cuts the source short under the run. Read, it just ends early; mapped, the
// pages it took away must not kill the process, nor reach a piece as zeros, and a cut inside
// the last page, which no fault shows, must not either. Either way the run fails and the pieces
// keep a prefix of whole lines.
TEST_F(SplitRunFailure, ReportsASourceCutShortWhileItIsReadAndWritesNothingOfWhatIsGone)
{
    std::string text;
    for (int i = 0; text.size() < (4u << 20) + 100; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    int round = 0;
    for (const off_t cutTo : {off_t{0}, static_cast<off_t>(text.size() - 20)})
    for (const bool mapped : {true, false}) {
        SCOPED_TRACE(std::string(mapped ? "mapped" : "read") + ", cut to " + std::to_string(cutTo));
        source(text);
        request.mapSource = mapped;
        request.destinationText = dir.path() + std::to_string(round++) + "/";
        const int cutAt = host.yields + 1000;
        host.onYield = [&](int yields) {
            if (yields == cutAt) {
                ASSERT_EQ(::truncate(request.sourceText.c_str(), cutTo), 0);
            }
        };
        const RunResult result = split(SplitMode::ByLineCount, 5000, 64 << 10);
        expectFailure(result, RunFailure::SourceCutShort, request.sourceText, EIO);
        std::string written;
        for (std::uint64_t p = 1; p <= result.progress.piecesWritten; ++p)
            written += ReadFile(pieceOfRequest(p));
        EXPECT_EQ(written.find('\0'), std::string::npos);
        EXPECT_EQ(text.compare(0, written.size(), written), 0) << "a prefix of the source's lines";
        EXPECT_EQ(written.size() >= 2 ? written.substr(written.size() - 2) : "\r\n", "\r\n");
        EXPECT_LT(written.size(), text.size());
    }
}

TEST_F(SplitRunFailure, NeedsTwoFreeFileNumbers)
{
    source("a\r\n");
    auto& numbers = FileNumbers::process();
    for (int number = 2; number <= FileNumbers::kLast; ++number)
        numbers.take(number);
    const RunResult result = split(SplitMode::ByLineCount, 10);
    for (int number = 2; number <= FileNumbers::kLast; ++number)
        numbers.release(number);
    expectFailure(result, RunFailure::NoFileNumber, request.sourceText, EMFILE);
    EXPECT_FALSE(Exists(piece(1)));
}

}  // namespace
}  // namespace tess
