#include "engine/SplitFixture.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/FolderLock.h"

namespace tess {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::SplitFixture;
using Events = std::vector<std::string>;

const Events kRunEvents = {"timer on", "timer off"};

class SplitRun : public SplitFixture {
protected:
    // Makes the source a FIFO that gets writes[i] at the run's turn i + 1, and its end with the
    // last. The host is inattentive: the run gives a turn only once the pipe is empty, so each
    // turn brings one write.
    void feedOnTurns(std::vector<std::string> writes)
    {
        ASSERT_EQ(::mkfifo(request.sourceText.c_str(), 0600), 0);
        host.attentive = false;
        host.onYield = [fifo = request.sourceText, writes, writer = -1](int yields) mutable {
            const int count = static_cast<int>(writes.size());
            if (yields > count)
                return;
            if (writer < 0)
                writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            ASSERT_GE(writer, 0);
            const std::string& bytes = writes[yields - 1];
            EXPECT_EQ(::write(writer, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
            if (yields == count)
                ::close(writer);
        };
    }
};

TEST_F(SplitRun, ClosesEachPieceAtTheLineThreshold)
{
    source("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
    const RunResult result = split(SplitMode::ByLineCount, 3);
    EXPECT_EQ(result.outcome, RunOutcome::Completed);
    EXPECT_EQ(ReadFile(piece(1)), "1\r\n2\r\n3\r\n");
    EXPECT_EQ(ReadFile(piece(2)), "4\r\n5\r\n6\r\n");
    EXPECT_EQ(ReadFile(piece(3)), "7\r\n");
    EXPECT_FALSE(Exists(piece(4)));
    EXPECT_EQ(host.events, kRunEvents);
    EXPECT_EQ(result.progress.piecesWritten, 3u);
    EXPECT_EQ(result.progress.linesKept, 7u);
    EXPECT_EQ(result.progress.bytesWritten, 21u);
    EXPECT_EQ(result.progress.bytesRead, result.progress.sourceBytes);
}

TEST_F(SplitRun, CreatesNoEmptyPieceWhenTheLinesFillTheLastOneExactly)
{
    source("a\r\nb\r\nc\r\n\r\n   \r\n");
    split(SplitMode::ByLineCount, 3);
    EXPECT_EQ(ReadFile(piece(1)), "a\r\nb\r\nc\r\n");
    EXPECT_FALSE(Exists(piece(2)));
}

TEST_F(SplitRun, CompletesWithoutAPieceWhenNoLineIsKept)
{
    for (const char* text : {"", "\r\n  \r\n\n\r    "}) {
        host.events.clear();
        source(text);
        const RunResult result = split(SplitMode::ByLineCount, 3);
        EXPECT_EQ(result.outcome, RunOutcome::Completed);
        EXPECT_FALSE(Exists(piece(1)));
        EXPECT_EQ(host.events, kRunEvents);
    }
}

TEST_F(SplitRun, TrimsSpacesOnlyAndDropsLinesLeftEmpty)
{
    source("  lead\r\ntrail   \r\n \t tab inside \t \r\n      \r\n\xA1\xA1indent  \r\n");
    const RunResult result = split(SplitMode::ByLineCount, 100);
    EXPECT_EQ(ReadFile(piece(1)), "lead\r\ntrail\r\n\t tab inside \t\r\n\xA1\xA1indent\r\n");
    EXPECT_EQ(result.progress.linesKept, 4u);
    EXPECT_EQ(result.progress.linesDropped, 1u);
}

TEST_F(SplitRun, EndsLinesAtCrAtCrLfAndAtLfAndWritesCrLf)
{
    source("unix\nmac\rwindows\r\nmixed\n\r\nno end");
    split(SplitMode::ByLineCount, 100);
    EXPECT_EQ(ReadFile(piece(1)), "unix\r\nmac\r\nwindows\r\nmixed\r\nno end\r\n");
}

TEST_F(SplitRun, EndsASizePieceWithTheLineThatReachesTheThreshold)
{
    const std::string line600(600, 'x');
    source(line600 + "\r\n" + line600 + "\r\n" + line600 + "\r\n");
    split(SplitMode::BySize, 1000);
    EXPECT_EQ(ReadFile(piece(1)), line600 + "\r\n" + line600 + "\r\n");
    EXPECT_EQ(ReadFile(piece(2)), line600 + "\r\n");
}

TEST_F(SplitRun, CountsAChineseCharacterAsOneInEveryEncodingAndNotTheLineEnd)
{
    const struct {
        Encoding encoding;
        std::string line;  // three characters
    } cases[] = {{Encoding::DoubleByte, "\xD6\xD0\xCE\xC4\xD7\xD6"}, {Encoding::Utf8, "中文字"}};
    for (const auto& c : cases) {
        request.destinationText = dir.path() + std::string(EncodingName(c.encoding)) + "/";
        source(c.line + "\r\n" + c.line + "\r\n" + c.line + "\r\n");
        const RunResult result = split(SplitMode::BySize, 6);
        EXPECT_EQ(result.encoding, c.encoding);
        EXPECT_EQ(ReadFile(request.destinationText + "book1.txt"), c.line + "\r\n" + c.line + "\r\n");
        EXPECT_EQ(ReadFile(request.destinationText + "book2.txt"), c.line + "\r\n");
    }
}

TEST_F(SplitRun, AppendsToThePiecesOfAnEarlierRun)
{
    source("a\r\nb\r\nc\r\n");
    split(SplitMode::ByLineCount, 2);
    split(SplitMode::ByLineCount, 2);
    EXPECT_EQ(ReadFile(piece(1)), "a\r\nb\r\na\r\nb\r\n");
    EXPECT_EQ(ReadFile(piece(2)), "c\r\nc\r\n");
}

// As a run killed inside a long line leaves them: the next line does not join the torn one. A
// piece holding a mark alone, as an editor saves an empty text, holds no line to end.
TEST_F(SplitRun, AppendsAfterALineEndToAPieceFoundEndingInsideALine)
{
    const std::string wide("\xFF\xFEn\0", 4);
    const struct {
        std::string source, before, after;
    } cases[] = {
        {"new", "torn", "torn\r\nnew\r\n"},
        {"new", "whole\r\n", "whole\r\nnew\r\n"},
        {"new", "cr\r", "cr\rnew\r\n"},
        {"new", "lf\n", "lf\nnew\r\n"},
        {wide, std::string("\xFF\xFEt\0", 4), std::string("\xFF\xFEt\0\r\0\n\0n\0\r\0\n\0", 14)},
        {wide, std::string("\xFF\xFE\r", 3), std::string("\xFF\xFE\r\r\0\n\0n\0\r\0\n\0", 13)},
        {wide, "\xFF\xFE", std::string("\xFF\xFEn\0\r\0\n\0", 8)},
        {"\xEF\xBB\xBFnew", "\xEF\xBB\xBF", "\xEF\xBB\xBFnew\r\n"},
        {"caf\xC3\xA9", "\xEF\xBB\xBF", "\xEF\xBB\xBF" "caf\xC3\xA9\r\n"},  // the source has no mark
        {"new", "\xEF\xBB\xBF", "\xEF\xBB\xBF\r\nnew\r\n"},  // no mark of the source's encoding
    };
    ASSERT_EQ(::mkdir(out().c_str(), 0777), 0);
    for (const auto& c : cases) {
        source(c.source);
        testing::WriteFile(piece(1), c.before);
        split(SplitMode::ByLineCount, 10);
        EXPECT_EQ(ReadFile(piece(1)), c.after) << c.before;
    }
}

TEST_F(SplitRun, NamesPiecesAfterTheSourceWithoutItsLastFourCharacters)
{
    for (const auto& [name, first] : {std::pair{"readme", "re1.txt"}, {"ab", "ab1.txt"}, {"a.md", "1.txt"}}) {
        request.sourceText = dir.path() + name;
        testing::WriteFile(request.sourceText, "line\r\n");
        split(SplitMode::ByLineCount, 10);
        EXPECT_TRUE(Exists(out() + first)) << name;
    }
}

TEST_F(SplitRun, TrimsTheSourcePathButNotTheDestination)
{
    source("x\r\n");
    request.sourceText = "  " + request.sourceText + "  ";
    request.destinationText = dir.path() + "out";  // no final "/": the pieces go beside the folder
    EXPECT_EQ(split(SplitMode::ByLineCount, 10).outcome, RunOutcome::Completed);
    EXPECT_EQ(ReadFile(dir.path() + "outbook1.txt"), "x\r\n");
    EXPECT_TRUE(Exists(dir.path() + "out"));  // created as the named folder
}

TEST_F(SplitRun, CreatesAMissingDestinationWithItsParents)
{
    source("x\r\n");
    request.destinationText = dir.path() + "a/b/c/";
    split(SplitMode::ByLineCount, 10);
    EXPECT_EQ(ReadFile(dir.path() + "a/b/c/book1.txt"), "x\r\n");
}

TEST_F(SplitRun, StopsBetweenLinesClosingThePieceWithWhatItHolds)
{
    source("1\r\n2\r\n3\r\n4\r\n5\r\n");
    host.onYield = [this](int yields) { host.stop = yields == 2; };
    const RunResult result = split(SplitMode::ByLineCount, 10);
    EXPECT_EQ(result.outcome, RunOutcome::Stopped);
    EXPECT_EQ(ReadFile(piece(1)), "1\r\n2\r\n");
    EXPECT_EQ(host.events, (Events{"timer on", "timer off"}));  // no notice; the stop click set the caption
    EXPECT_EQ(host.lastProgress.linesKept, 2u) << "no line read after the stop";
}

TEST_F(SplitRun, CompletesWhenTheStopIsSeenOnlyAfterTheLastLine)
{
    source("1\r\n2\r\n");
    host.onYield = [this](int yields) { host.stop = yields == 2; };
    EXPECT_EQ(split(SplitMode::ByLineCount, 10).outcome, RunOutcome::Completed);
    EXPECT_EQ(host.events, kRunEvents);
}

TEST_F(SplitRun, YieldsAfterEveryLineReadKeptOrDropped)
{
    // (A last line without its end is read in two steps, the second finding the end of the
    // file, and yields after each.)
    source("a\r\n\r\n  \r\nb\r\n");
    std::vector<std::uint64_t> linesAtYields;
    host.onYield = [&](int) { linesAtYields.push_back(host.lastProgress.linesKept + host.lastProgress.linesDropped); };
    split(SplitMode::ByLineCount, 10);
    // A slow writing thread (under emulation) may give the host more turns while the last
    // piece is written out; those come after the last line.
    linesAtYields.erase(std::unique(linesAtYields.begin(), linesAtYields.end()), linesAtYields.end());
    EXPECT_EQ(linesAtYields, (std::vector<std::uint64_t>{1, 2, 3, 4}));
    EXPECT_EQ(host.lastProgress.linesKept, 2u);
    EXPECT_EQ(host.lastProgress.linesDropped, 2u);
}

// The window hosts the run on its own thread: a FIFO without a writer, or a silent pipe, must
// leave it its turns and its stop.
TEST_F(SplitRun, GivesTheHostItsTurnsWhileAFifoHasNoWriter)
{
    ASSERT_EQ(::mkfifo(request.sourceText.c_str(), 0600), 0);
    host.onYield = [this](int yields) { host.stop = yields == 3; };
    EXPECT_EQ(split(SplitMode::ByLineCount, 10).outcome, RunOutcome::Stopped);
    EXPECT_EQ(host.yields, 3);
    EXPECT_FALSE(Exists(piece(1)));

    host.stop = false;
    host.yields = 0;
    host.onYield = [this](int yields) {
        if (yields != 3)
            return;
        const int writer = ::open(request.sourceText.c_str(), O_WRONLY | O_NONBLOCK);
        ASSERT_GE(writer, 0);
        const std::string lines = "  a \r\nb\r\n";
        EXPECT_EQ(::write(writer, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
        ::close(writer);
    };
    EXPECT_EQ(split(SplitMode::ByLineCount, 10).outcome, RunOutcome::Completed);
    EXPECT_EQ(ReadFile(piece(1)), "a\r\nb\r\n");
}

// A pipe's reads end where its writer paused: here a CR ends one read and its LF is the whole of
// the next, a block that the run passes over without a line in it. The characters of a piece
// that spans it still count right.
TEST_F(SplitRun, CountsAPieceThatSpansAPipesReadOfTheLfAlone)
{
    const std::string line = "\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD\r\n";  // 5 characters
    auto lines = [&line](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += line;
        return text;
    };
    feedOnTurns({lines(6).substr(0, lines(6).size() - 1), "\n", lines(34)});
    request.encoding = Encoding::Utf8;
    ASSERT_EQ(split(SplitMode::BySize, 100, 64).outcome, RunOutcome::Completed);
    EXPECT_EQ(ReadFile(piece(1)), lines(20));
    EXPECT_EQ(ReadFile(piece(2)), lines(20));
}

// A pipe's first write may be a byte of a mark alone: the encoding is found from the whole mark.
TEST_F(SplitRun, FindsTheMarkOfAPipeWhoseWriterPausesInsideIt)
{
    feedOnTurns({"\xFF", std::string("\xFE" "a\0\r\0\n\0b\0", 9)});
    const RunResult result = split(SplitMode::ByLineCount, 10);
    EXPECT_EQ(result.encoding, Encoding::Utf16LE);
    EXPECT_EQ(ReadFile(piece(1)), std::string("\xFF\xFE" "a\0\r\0\n\0b\0\r\0\n\0", 14));
}

// A stop that comes while the run waits inside a line, and the end of the input right after it:
// the line the stop came inside of is left out all the same.
TEST_F(SplitRun, LeavesOutTheLineAStopCameInsideOfWhenThePipeEndsRightAfter)
{
    feedOnTurns({"first\r\n  xx", ""});  // then the end of the input
    const auto feed = host.onYield;
    host.onYield = [this, feed](int yields) {
        feed(yields);
        if (yields == 2)
            host.raiseAttention();  // a signal, just after the run asked for its turn
        host.stop = yields > 2;
    };
    const RunResult result = split(SplitMode::ByLineCount, 10);
    EXPECT_EQ(result.outcome, RunOutcome::Stopped);
    EXPECT_EQ(ReadFile(piece(1)), "first\r\n");
}

// A FIFO in a piece's place whose reader stopped reading: the host keeps its turns, a stop ends
// the run, and only the lines that went into the FIFO count.
TEST_F(SplitRun, StopsWhileAPieceWaitsForItsReader)
{
    std::string lines;
    for (int i = 0; i < 2000; ++i)
        lines += "a line of some length, far more of them than a FIFO holds\r\n";
    source(lines);
    ASSERT_EQ(::mkdir(out().c_str(), 0777), 0);
    ASSERT_EQ(::mkfifo(piece(1).c_str(), 0600), 0);
    const int reader = ::open(piece(1).c_str(), O_RDONLY | O_NONBLOCK);  // reads only after the run
    ASSERT_GE(reader, 0);
    host.attentive = false;  // a turn only while the run waits
    host.onYield = [this](int yields) { host.stop = yields >= 3; };
    const RunResult result = split(SplitMode::ByLineCount, 1e6, 1 << 20, 4096);
    EXPECT_EQ(result.outcome, RunOutcome::Stopped);
    EXPECT_GE(host.yields, 3);
    std::string landed;
    char buffer[4096];
    for (ssize_t n; (n = ::read(reader, buffer, sizeof buffer)) > 0;)
        landed.append(buffer, static_cast<std::size_t>(n));
    ::close(reader);
    EXPECT_EQ(result.progress.linesKept, static_cast<std::size_t>(std::count(landed.begin(), landed.end(), '\n')));
    EXPECT_LT(landed.size(), lines.size());
}

TEST_F(SplitRun, FindsAUtf16SourceAndEndsItsLinesOnlyAtWholeUnits)
{
    source(std::string("\xFF\xFE\x0A\x4E\x0D\x4E\x0D\x00\x0A\x00 \0x\0", 14));  // 上不, CR LF, " x"
    const RunResult result = split(SplitMode::BySize, 2);
    EXPECT_EQ(result.encoding, Encoding::Utf16LE);
    EXPECT_EQ(result.progress.linesKept, 2u);
    EXPECT_EQ(ReadFile(piece(1)), std::string("\xFF\xFE\x0A\x4E\x0D\x4E\x0D\x00\x0A\x00", 10));
    EXPECT_EQ(ReadFile(piece(2)), std::string("\xFF\xFEx\0\x0D\x00\x0A\x00", 8));
}

// Its last unit's first byte, 0x00 0xE9 (é), reads as a UTF-8 lead that the file's end cut off.
// In a file, and in a pipe whose writer is done before the run looks at it.
TEST_F(SplitRun, FindsUtf16WithoutAMarkWhoseLastUnitLooksLikeACutUtf8Lead)
{
    const std::string text("\0H\0i\0\n\0C\0a\0f\0\xE9", 14);
    for (const bool piped : {false, true}) {
        SCOPED_TRACE(piped ? "pipe" : "file");
        std::filesystem::remove_all(out());
        std::filesystem::remove(request.sourceText);
        host.yields = 0;
        if (piped)
            feedOnTurns({text});
        else
            source(text);
        const RunResult result = split(SplitMode::ByLineCount, 1);
        EXPECT_EQ(result.encoding, Encoding::Utf16BE);
        EXPECT_EQ(ReadFile(piece(1)), std::string("\0H\0i\0\r\0\n", 8));
        EXPECT_EQ(ReadFile(piece(2)), std::string("\0C\0a\0f\0\xE9\0\r\0\n", 12));
    }
}

TEST_F(SplitRun, GivesTheMarkToEveryPieceItCreatesOrFindsEmptyAndNoSecondOne)
{
    source("\xEF\xBB\xBF  \r\n  first  \r\nsecond\r\nthird\r\n");  // the mark's line is blank
    ASSERT_EQ(::mkdir(out().c_str(), 0777), 0);
    testing::WriteFile(out() + "book2.txt", "");  // found empty: it takes the mark
    EXPECT_EQ(split(SplitMode::ByLineCount, 2).progress.bytesWritten, 3 + 15 + 3 + 7u);  // the marks too
    EXPECT_EQ(ReadFile(piece(1)), "\xEF\xBB\xBF" "first\r\nsecond\r\n");
    EXPECT_EQ(ReadFile(piece(2)), "\xEF\xBB\xBF" "third\r\n");
    EXPECT_EQ(split(SplitMode::ByLineCount, 2).progress.bytesWritten, 15 + 7u);
    EXPECT_EQ(ReadFile(piece(1)), "\xEF\xBB\xBF" "first\r\nsecond\r\nfirst\r\nsecond\r\n");
}

TEST_F(SplitRun, RefusesAUtf32SourceBeforeAnyPiece)
{
    source(std::string("\xFF\xFE\0\0a\0\0\0", 8));
    const RunResult result = split(SplitMode::ByLineCount, 10);
    EXPECT_EQ(result.outcome, RunOutcome::Failed);
    EXPECT_EQ(result.error->what, RunFailure::Utf32Source);
    EXPECT_FALSE(Exists(piece(1)));
}

TEST_F(SplitRun, TakesTheFileOfTheExactNameBeforeTrimmingIt)
{
    testing::WriteFile(dir.path() + "x.txt ", "the file named\r\n");
    testing::WriteFile(dir.path() + "x.txt", "its neighbour\r\n");
    request.sourceText = dir.path() + "x.txt ";
    split(SplitMode::ByLineCount, 10);
    EXPECT_EQ(ReadFile(out() + "x.1.txt"), "the file named\r\n") << "named after the file read";
    EXPECT_FALSE(Exists(out() + "x1.txt")) << "the neighbour's pieces";
}

TEST_F(SplitRun, StopsInsideALongLineLeavingItOutAndWhatCameBeforeIn)
{
    source("before\r\n   " + std::string(1 << 20, 'x') + "\r\nafter\r\n");
    host.onYield = [this](int yields) { host.stop = yields == 20; };  // well inside the long line
    const RunResult result = split(SplitMode::ByLineCount, 1, 4096);
    EXPECT_EQ(result.outcome, RunOutcome::Stopped);
    EXPECT_EQ(ReadFile(piece(1)), "before\r\n");
    EXPECT_FALSE(Exists(piece(2))) << "the piece the long line opened keeps nothing";
    EXPECT_EQ(result.progress.linesKept, 1u);
    EXPECT_EQ(result.progress.piecesWritten, 1u);
}

TEST_F(SplitRun, RefusesAFolderThatAnotherRunHoldsHoweverItIsSpelt)
{
    source("x\r\n");
    ASSERT_EQ(::mkdir(out().c_str(), 0777), 0);
    FolderLock other;
    ASSERT_TRUE(other.take(out()));
    request.destinationText = dir.path() + "./out//";
    const RunResult result = split(SplitMode::ByLineCount, 10);
    EXPECT_EQ(result.outcome, RunOutcome::Failed);
    EXPECT_EQ(result.error->what, RunFailure::FolderBusy);
    EXPECT_EQ(result.error->path, dir.path() + "./out//");
    EXPECT_FALSE(Exists(piece(1)));
}

// Runs `attempt` in a child process as the user nobody; its exit status, 2 when no user to become.
int AsNobody(const std::function<int()>& attempt)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 ? attempt() : 2);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child ? WEXITSTATUS(status) : -1;
}

// A drop box: a folder its user may write into but not list, so it cannot be opened to be
// locked; and whoever may list it holds it against those who may not.
TEST_F(SplitRun, RefusesAFolderThatAnotherRunHoldsWhereItCannotBeListed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to become a user whom the folder refuses";
    ASSERT_EQ(::mkdir(out().c_str(), 0333), 0);
    ASSERT_EQ(::chmod(out().c_str(), 0333), 0);  // whatever the umask
    ASSERT_EQ(::chmod(dir.path().c_str(), 0711), 0);
    EXPECT_EQ(AsNobody([this] {
                  FolderLock first, second;
                  return !first.take(out()) ? 3 : second.take(out()) ? 4 : 0;
              }),
              0) << "3: the first run refused; 4: the second let in";
    FolderLock byRoot;
    ASSERT_TRUE(byRoot.take(out()));
    EXPECT_EQ(AsNobody([this] { return FolderLock().take(out()) ? 4 : 0; }), 0) << "4: let in beside root's run";
}

// A link to the source in a piece's place: appending would feed the run on its own source.
TEST_F(SplitRun, RefusesAPieceThatIsTheSourceAndLeavesTheSourceAsItWas)
{
    const std::string text = "a\r\nb\r\nc\r\n";
    for (const bool hard : {true, false}) {
        source(text);
        ASSERT_EQ(::mkdir(out().c_str(), 0777), 0);
        testing::WriteFile(piece(1), "one\r\n");  // the first piece is an ordinary one
        ASSERT_EQ(hard ? ::link(request.sourceText.c_str(), piece(2).c_str())
                       : ::symlink(request.sourceText.c_str(), piece(2).c_str()),
                  0);
        const RunResult result = split(SplitMode::ByLineCount, 1);
        EXPECT_EQ(result.outcome, RunOutcome::Failed);
        ASSERT_TRUE(result.error);
        EXPECT_EQ(result.error->what, RunFailure::PieceIsSource);
        EXPECT_EQ(result.error->path, piece(2));
        EXPECT_EQ(ReadFile(request.sourceText), text);
        EXPECT_EQ(ReadFile(piece(1)), "one\r\na\r\n");
        EXPECT_EQ(result.progress.linesKept, 1u);
        EXPECT_FALSE(Exists(piece(3)));
        ::unlink(piece(2).c_str());
        ::unlink(piece(1).c_str());
        ::rmdir(out().c_str());
    }
}

TEST_F(SplitRun, NeverChangesTheSource)
{
    const std::string text = "  a  \r\n\r\nb\nc\r";
    source(text);
    split(SplitMode::BySize, 1);
    EXPECT_EQ(ReadFile(request.sourceText), text);
}

}  // namespace
}  // namespace tess
