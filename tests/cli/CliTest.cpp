// The command-line front end, run as a user runs it.

#include <gtest/gtest.h>

#include <csignal>
#include <string>

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
    EXPECT_EQ(run.err, "tessaline-split: cannot write piece '" + out + "/book1.txt': File too large\n");
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

TEST_F(Cli, WritesOutTheKeptLinesBeforeALineTooLongForMemory)
{
#ifdef TESSALINE_SPLIT_UNDER_ASAN
    GTEST_SKIP() << "tessaline-split runs under AddressSanitizer, whose shadow memory no ulimit -v leaves room for";
#endif
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "short " + std::to_string(i) + "\r\n";
    WriteFile(source, text + std::string(32 << 20, 'x') + "\r\n");
    // About 49 MB of address space: enough to run, too little to hold a 32 MiB line twice.
    const Finished run =
        RunToEnd({"/bin/sh", "-c", "ulimit -v 50000 && exec \"$0\" \"$@\"", kSplit, "--lines", "10", source, out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "tessaline-split: cannot read source '" + source + "': Cannot allocate memory\n");
    EXPECT_EQ(ReadFile(out + "/book1.txt") + ReadFile(out + "/book2.txt"), text);
    EXPECT_FALSE(Exists(out + "/book3.txt"));
}

TEST_F(Cli, StopsOnSigtermKeepingWhatTheOpenPieceHolds)
{
    const std::string fifo = dir.path() + "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    testing::Child child({kSplit, "--lines", "100", fifo, out});
    const int writer = ::open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    const std::string before = "kept 1\r\nkept 2\r\n";
    ASSERT_EQ(::write(writer, before.data(), before.size()), static_cast<ssize_t>(before.size()));
    child.waitUntilBlocked();  // both lines taken, waiting for more
    child.signal(SIGTERM);
    const std::string after = "never read\r\n";
    ASSERT_EQ(::write(writer, after.data(), after.size()), static_cast<ssize_t>(after.size()));
    ::close(writer);

    const Finished run = child.wait();
    EXPECT_EQ(run.exitCode, 130);
    EXPECT_EQ(run.err, "tessaline-split: stopped\n");
    EXPECT_EQ(ReadFile(out + "/fifo1.txt"), "kept 1\r\nkept 2\r\n");
}

}  // namespace
}  // namespace tess
