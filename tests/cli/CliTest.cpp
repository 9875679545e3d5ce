// The command-line front end, run as a user runs it.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <optional>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/Subprocess.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using testing::Exists;
using testing::Finished;
using testing::ReadFile;
using testing::RunToEnd;
using testing::TempDir;
using testing::WriteFile;

const std::string kSplit = TESSALINE_SPLIT;

class Cli : public ::testing::Test {
protected:
    Cli() { WriteFile(source, "  one  \r\n\r\ntwo\nthree\r四\r\n"); }
    TempDir dir;
    const std::string source = dir.path() + "book.txt";
    const std::string out = dir.path() + "out";  // no final "/": the front end adds it
};

TEST_F(Cli, SplitsIntoTheFolderAndPrintsASummary)
{
    const Finished run = RunToEnd({kSplit, "--lines", "3", source, out});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadFile(out + "/book1.txt"), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(ReadFile(out + "/book2.txt"), "四\r\n");
    EXPECT_EQ(run.out.substr(0, run.out.find(", ", run.out.find("written"))),
              "2 pieces, 4 lines kept, 1 lines dropped, 22 bytes written");
}

TEST_F(Cli, FailsWhenItsSummaryCannotBeWritten)
{
    const Finished run = RunToEnd({"/bin/sh", "-c", "exec \"$0\" \"$@\" > /dev/full", kSplit, source, out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "tessaline-split: cannot write the summary: No space left on device\n");
    EXPECT_TRUE(Exists(out + "/book1.txt")) << "the split itself was done";
}

TEST_F(Cli, CountsUtf8CharactersWhenAskedTo)
{
    WriteFile(source, "中文字\r\n中文字\r\n");  // three characters, nine bytes a line
    ASSERT_EQ(RunToEnd({kSplit, "--size", "0", "--encoding", "utf-8", source, out}).exitCode, 0);
    EXPECT_EQ(ReadFile(out + "/book1.txt"), "中文字\r\n中文字\r\n");  // 0 means 1024 thousand
    ASSERT_EQ(RunToEnd({kSplit, "--quiet", "--encoding", "utf-8", "--size", "0", source, dir.path() + "b/"})
                  .exitCode, 0);
    EXPECT_FALSE(Exists(dir.path() + "b/book2.txt"));
}

TEST_F(Cli, AnswersBadUsageWithTheUsageAndExitCode2)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {kSplit},
             {kSplit, source},
             {kSplit, "--lines", "-3", source, out},
             {kSplit, "--lines", "3x", source, out},
             {kSplit, "--lines", "3", "--size", "4", source, out},
             {kSplit, "--encoding", "latin1", source, out},
             {kSplit, "--bogus", source, out},
             {kSplit, source, out, "extra"}}) {
        const Finished run = RunToEnd(args);
        EXPECT_EQ(run.exitCode, 2) << args.back();
        EXPECT_NE(run.err.find("usage: tessaline-split"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(Exists(out));
}

TEST_F(Cli, AnswersHelpAndVersion)
{
    EXPECT_EQ(RunToEnd({kSplit, "--version"}).out, "tessaline-split 1.00\n");
    const Finished help = RunToEnd({kSplit, "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: tessaline-split", 0), 0u);
}

TEST_F(Cli, NamesThePathAndTheReasonOfAFailure)
{
    const Finished run = RunToEnd({kSplit, dir.path() + "missing.txt", out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "tessaline-split: cannot open source '" + dir.path() + "missing.txt': No such file or directory\n");
    EXPECT_EQ(run.out, "");
}

TEST_F(Cli, NamesTheFolderItCouldNotCreateOnceAndInEnglish)
{
    WriteFile(dir.path() + "file", "");
    const std::string tooLong = dir.path() + "made/" + std::string(300, 'x') + "/";
    const struct {
        std::string destination, folder, reason;
    } cases[] = {{dir.path() + "file/out/", dir.path() + "file/", "File exists"},
                 {tooLong + "deeper/", tooLong, "File name too long"}};
    for (const auto& c : cases) {
        const Finished run = RunToEnd({kSplit, "--quiet", source, c.destination});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "tessaline-split: cannot create folder '" + c.folder + "': " + c.reason + "\n");
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(Cli, ReportsAPieceThatOutgrowsTheFileSizeLimitAndLeavesNoTornLine)
{
    const std::string line = "a line of some forty characters or so....";  // 43 bytes with CR LF
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += line + "\r\n";
    WriteFile(source, text);
    // A limit of one block (512 or 1024 bytes, as the shell counts): the first piece's write
    // fails part-way.
    const Finished run =
        RunToEnd({"/bin/sh", "-c", "ulimit -f 1 && exec \"$0\" \"$@\"", kSplit, "--lines", "100", source, out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "tessaline-split: cannot write piece '" + out + "/book1.txt': File too large; " +
                           std::to_string(ReadFile(out + "/book1.txt").size() / 43) +
                           " lines reached the pieces, and running the same split again appends to them\n");
    EXPECT_FALSE(Exists(out + "/book2.txt"));
    EXPECT_EQ(run.out, "");
    const std::string kept = ReadFile(out + "/book1.txt");
    EXPECT_GT(kept.size(), 0u);
    EXPECT_EQ(kept.size() % 43, 0u) << "whole lines only";
    EXPECT_EQ(kept, text.substr(0, kept.size()));

    // Once the space is there, a second run appends whole lines after whole lines.
    ASSERT_EQ(RunToEnd({kSplit, "--quiet", "--lines", "100", source, out}).exitCode, 0);
    EXPECT_EQ(ReadFile(out + "/book1.txt"), kept + text.substr(0, 100 * 43));
}

TEST_F(Cli, StopsInsideAnEndlessLineInFlatMemoryLeavingNoPiece)
{
#ifdef TESSALINE_SPLIT_UNDER_ASAN
    GTEST_SKIP() << "tessaline-split runs under AddressSanitizer, whose shadow memory no ulimit -v leaves room for";
#endif
    // About 100 MB of address space; /dev/zero is one line that never ends.
    testing::Child child({"/bin/sh", "-c", "ulimit -v 100000 && exec \"$0\" \"$@\"", kSplit, "/dev/zero", out});
    ::usleep(300 * 1000);
    child.signal(SIGINT);
    const Finished run = child.wait();
    EXPECT_EQ(run.exitCode, 130) << run.err;
    EXPECT_EQ(run.err, "tessaline-split: stopped\n");
    EXPECT_FALSE(Exists(out + "/1.txt")) << "the unfinished line is cut back, and the piece it made removed";
}

TEST_F(Cli, SplitsALineLargerThanItsMemoryLimit)
{
#ifdef TESSALINE_SPLIT_UNDER_ASAN
    GTEST_SKIP() << "tessaline-split runs under AddressSanitizer, whose shadow memory no ulimit -v leaves room for";
#endif
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "short " + std::to_string(i) + "\r\n";
    const std::string line = "  " + std::string(128 << 20, 'x') + "  ";
    WriteFile(source, text + line + "\r\nafter\r\n");
    // About 100 MB of address space: far too little to hold the 128 MiB line.
    const Finished run = RunToEnd(
        {"/bin/sh", "-c", "ulimit -v 100000 && exec \"$0\" \"$@\"", kSplit, "--quiet", "--lines", "10", source, out});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadFile(out + "/book1.txt") + ReadFile(out + "/book2.txt"), text);
    EXPECT_EQ(ReadFile(out + "/book3.txt"), std::string(128 << 20, 'x') + "\r\nafter\r\n");
}

TEST_F(Cli, LeavesOnlyWholeLinesWhenKilled)
{
    // Fed through a FIFO, the run is surely in the middle of its work when it is killed: it has
    // taken in eight MiB of lines and half a line, and waits for more.
    std::string text;
    for (int i = 0; text.size() < (8u << 20); ++i)
        text += "line number " + std::to_string(i) + " of a text that is long enough\r\n";
    const std::string fifo = dir.path() + "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    testing::Child child({kSplit, "--quiet", "--lines", "50000", fifo, out});
    const int writer = ::open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    const std::string fed = text + "half a li";
    for (std::size_t done = 0; done < fed.size();) {
        const ssize_t wrote = ::write(writer, fed.data() + done, fed.size() - done);
        ASSERT_GT(wrote, 0);
        done += static_cast<std::size_t>(wrote);
    }
    child.waitUntilBlocked();
    child.signal(SIGKILL);
    EXPECT_EQ(child.wait().exitCode, 128 + SIGKILL);
    ::close(writer);
    std::string written;
    int pieces = 0;
    for (; Exists(out + "/fifo" + std::to_string(pieces + 1) + ".txt"); ++pieces) {
        const std::string bytes = ReadFile(out + "/fifo" + std::to_string(pieces + 1) + ".txt");
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << "piece " << pieces + 1 << " ends in a torn line";
        written += bytes;
    }
    EXPECT_GT(pieces, 0);
    EXPECT_EQ(written, text.substr(0, written.size()));
}

TEST_F(Cli, StopsAtOnceOnASignalWhileASilentPipeBlocksKeepingWhatWasRead)
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const std::string fifo = dir.path() + "fifo" + std::to_string(signal) + ".txt";
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        testing::Child child({kSplit, "--lines", "100", fifo, out});
        const int writer = ::open(fifo.c_str(), O_WRONLY);
        ASSERT_GE(writer, 0);
        const std::string before = "kept 1\r\nkept 2\r\n";
        ASSERT_EQ(::write(writer, before.data(), before.size()), static_cast<ssize_t>(before.size()));
        child.waitUntilBlocked();  // both lines taken, waiting for more
        child.signal(signal);
        const Finished run = child.wait();  // with the pipe still open and silent
        ::close(writer);
        EXPECT_EQ(run.exitCode, 128 + signal);
        EXPECT_EQ(run.err, "tessaline-split: stopped\n");
        EXPECT_EQ(ReadFile(out + "/fifo" + std::to_string(signal) + "1.txt"), before);
    }
}

TEST_F(Cli, StopsOnASignalWhileWaitingForAFifosWriter)
{
    const std::string fifo = dir.path() + "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    testing::Child child({kSplit, fifo, out});
    child.waitUntilBlocked();  // in open(), which waits for a writer
    child.signal(SIGINT);
    const Finished run = child.wait();
    EXPECT_EQ(run.exitCode, 130);
    EXPECT_EQ(run.err, "tessaline-split: stopped\n");

    // A writer that never writes: the first read, the one the encoding is found from, waits.
    testing::Child silent({kSplit, fifo, out});
    const int writer = ::open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    silent.waitUntilBlocked();
    silent.signal(SIGINT);
    const Finished stopped = silent.wait();
    ::close(writer);
    EXPECT_EQ(stopped.exitCode, 130);
    EXPECT_EQ(stopped.err, "tessaline-split: stopped\n");
}

// A stop may land at any moment of the start: before the handlers are in place (the signal
// then ends the process itself), or after the last look at the flag and before the wait for a
// FIFO's writer, which must not then go on for good.
TEST_F(Cli, StopsOnASignalAtAnyMomentBeforeTheSourceIsOpen)
{
    const std::string fifo = dir.path() + "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto started = std::chrono::steady_clock::now();
    testing::Child first({kSplit, fifo, out});
    first.waitUntilBlocked();
    const auto toTheOpen = std::chrono::steady_clock::now() - started;
    first.signal(SIGINT);
    ASSERT_EQ(first.wait().exitCode, 130);

    constexpr int kMoments = 100;  // the moments between the handlers and the open are a few
    for (int moment = 0; moment < kMoments; ++moment) {
        testing::Child child({kSplit, fifo, out});
        std::this_thread::sleep_for(toTheOpen * moment / kMoments);
        child.signal(SIGINT);
        const std::optional<Finished> run = child.waitAtMost(std::chrono::seconds(5));
        ASSERT_TRUE(run) << "the signal sent at moment " << moment << " of " << kMoments << " was lost";
        EXPECT_EQ(run->exitCode, 130);
        EXPECT_TRUE(run->err.empty() || run->err == "tessaline-split: stopped\n") << run->err;
    }
}

TEST_F(Cli, RefusesASecondRunIntoTheFolderOfARunningOne)
{
    const std::string fifo = dir.path() + "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    testing::Child first({kSplit, fifo, out});
    const int writer = ::open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    first.waitUntilBlocked();
    const Finished second = RunToEnd({kSplit, source, dir.path() + "./out/"});  // another spelling
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_EQ(second.err, "tessaline-split: another run is writing into '" + dir.path() + "./out/'\n");
    EXPECT_FALSE(Exists(out + "/book1.txt"));
    ::close(writer);
    EXPECT_EQ(first.wait().exitCode, 0);
}

}  // namespace
}  // namespace tess
