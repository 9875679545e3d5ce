#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "runtime/PieceWriter.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// What a run asks of the writer, drawn at random.
struct Act {
    enum Kind { Open, Line, PaddedLine, Close } kind;
    std::string piece;  // Open: the piece's file name
    std::string line;
};
using Script = std::vector<Act>;

Script RandomScript(std::mt19937& rng, std::size_t acts, std::size_t longestLine)
{
    std::uniform_int_distribution<std::size_t> length(0, longestLine);
    std::uniform_int_distribution<int> percent(0, 99);
    Script script;
    bool open = false;
    while (script.size() < acts) {
        const int roll = percent(rng);
        if (!open || roll < 3) {
            script.push_back({Act::Open, "piece" + std::to_string(rng() % 4) + ".txt", {}});
            open = true;
        } else if (roll < 8) {
            script.push_back({Act::Close, {}, {}});
            open = false;
        } else {
            std::string line(length(rng), ' ');
            for (char& c : line)
                c = static_cast<char>('a' + rng() % 26);
            script.push_back({roll % 2 ? Act::Line : Act::PaddedLine, {}, std::move(line)});
        }
    }
    return script;
}

void Play(const Script& script, std::size_t count, const std::string& dir, PieceWriter& writer)
{
    for (std::size_t i = 0; i < count; ++i) {
        const Act& act = script[i];
        switch (act.kind) {
        case Act::Open: writer.open(dir + act.piece); break;
        case Act::Line: writer.writeLine(act.line); break;
        case Act::PaddedLine: {
            const std::string padded = act.line + std::string(kPadAfter, '#');
            writer.writePaddedLine(std::string_view(padded.data(), act.line.size()));
            break;
        }
        case Act::Close: writer.close(); break;
        }
    }
}

// What the pieces hold after a script: each file's bytes, and every size at which it held
// whole lines only.
class Model {
public:
    struct File {
        bool exists = false;
        std::string bytes;
        std::vector<std::size_t> wholeSizes{0};
    };

    void play(const Script& script, const std::string& dir)
    {
        for (const Act& act : script) {
            switch (act.kind) {
            case Act::Open: open(dir + act.piece); break;
            case Act::Line:
            case Act::PaddedLine: line(act.line); break;
            case Act::Close: close(); break;
            }
        }
        close();
    }

    const std::map<std::string, File>& files() const { return files_; }

private:
    void open(const std::string& path)
    {
        close();
        open_ = &files_[path];
        created_ = !open_->exists;
        open_->exists = true;
    }
    void line(const std::string& line)
    {
        open_->bytes += line + "\r\n";
        open_->wholeSizes.push_back(open_->bytes.size());
    }
    void close()
    {
        if (open_ && created_ && open_->bytes.empty())
            open_->exists = false;
        open_ = nullptr;
    }

    std::map<std::string, File> files_;
    File* open_ = nullptr;
    bool created_ = false;
};

// Every piece there is holds what the model says up to one of its whole lines.
void ExpectWholeLinesOnly(const Model& model)
{
    for (const auto& [path, file] : model.files()) {
        if (!Exists(path))
            continue;
        const std::string held = ReadFile(path);
        const auto& sizes = file.wholeSizes;
        EXPECT_TRUE(std::find(sizes.begin(), sizes.end(), held.size()) != sizes.end() &&
                    file.bytes.compare(0, held.size(), held) == 0)
            << path << " holds " << held.size() << " bytes, not a prefix of whole lines";
    }
}

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

// Plays the first `count` acts of `script` in a child process, then stops and kills it while its
// writing thread may still be at work. The stop makes the kill land between system calls: a kill
// inside a write may keep part of it, cut at a page, which no writer can prevent. What is tested
// is where the writer's own writes end.
void PlayAndKill(const Script& script, std::size_t count, const std::string& dir, std::size_t bufferSize)
{
    int played[2];
    ASSERT_EQ(::pipe(played), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        PieceWriter writer(bufferSize);
        Play(script, count, dir, writer);
        (void)!::write(played[1], "", 1);
        for (;;)
            ::pause();
    }
    ::close(played[1]);
    char byte;
    EXPECT_EQ(::read(played[0], &byte, 1), 1) << "the child died before it had played";
    ::close(played[0]);
    int status = 0;
    ::kill(child, SIGSTOP);
    ::waitpid(child, &status, WUNTRACED);
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
}

TEST(PieceWriter, LeavesWholeLinesOnlyWhenKilled)
{
    std::mt19937 rng(1207);
    for (int round = 0; round < 8; ++round) {
        const std::size_t bufferSize = 8 + rng() % 293;
        const Script script = RandomScript(rng, 4000, bufferSize - 2);  // no line fills a buffer
        const std::size_t killedAfter = rng() % script.size();
        SCOPED_TRACE("buffer " + std::to_string(bufferSize) + ", killed after act " +
                     std::to_string(killedAfter));
        TempDir dir;
        PlayAndKill(script, killedAfter, dir.path(), bufferSize);
        Model model;
        model.play(script, dir.path());
        ExpectWholeLinesOnly(model);
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
