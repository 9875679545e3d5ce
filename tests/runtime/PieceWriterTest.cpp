#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
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

const std::string kCrLf = "\r\n";
const std::string kUtf16LeCrLf("\x0d\x00\x0a\x00", 4);
const std::string kUtf16BeCrLf("\x00\x0d\x00\x0a", 4);
const std::string kLineEnds[] = {kCrLf, kUtf16LeCrLf, kUtf16BeCrLf};
const std::string kUtf8Mark = "\xef\xbb\xbf";
const std::string kMarks[] = {"", kUtf8Mark, "\xff\xfe", "\xfe\xff"};

// What a run asks of the writer, drawn at random.
struct Act {
    enum Kind { Open, Line, PaddedLine, Parts, AbandonedParts, Close } kind;
    std::string text;                // Open: the piece's file name; else the line
    std::vector<std::size_t> parts;  // Parts, AbandonedParts: the sizes the line comes in
};
using Script = std::vector<Act>;

std::vector<std::size_t> RandomParts(std::mt19937& rng, std::size_t size)
{
    std::vector<std::size_t> parts;
    for (std::size_t count = rng() % 4; count > 0; --count) {
        parts.push_back(rng() % (size + 1));
        size -= parts.back();
    }
    parts.push_back(size);
    return parts;
}

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
            const auto kind = static_cast<Act::Kind>(Act::Line + roll % 4);
            const bool inParts = kind == Act::Parts || kind == Act::AbandonedParts;
            script.push_back({kind, line, inParts ? RandomParts(rng, line.size()) : std::vector<std::size_t>{}});
        }
    }
    return script;
}

void PlayParts(const Act& act, PieceWriter& writer)
{
    std::size_t at = 0;
    for (const std::size_t size : act.parts) {
        writer.writePart(std::string_view(act.text).substr(at, size));
        at += size;
    }
    if (act.kind == Act::Parts)
        writer.endLine();
    else
        writer.abandonLine();
}

void Play(const Script& script, std::size_t count, const std::string& dir, PieceWriter& writer)
{
    for (std::size_t i = 0; i < count; ++i) {
        const Act& act = script[i];
        switch (act.kind) {
        case Act::Open: writer.open(dir + act.text); break;
        case Act::Line: writer.writeLine(act.text); break;
        case Act::PaddedLine: {
            const std::string padded = act.text + std::string(kPadAfter, '#');
            writer.writePaddedLine(std::string_view(padded.data(), act.text.size()));
            break;
        }
        case Act::Parts:
        case Act::AbandonedParts: PlayParts(act, writer); break;
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

    Model(std::string lineEnd, std::string mark) : lineEnd_(std::move(lineEnd)), mark_(std::move(mark)) {}

    void found(const std::string& path, const std::string& bytes)
    {
        files_[path] = {true, bytes, {bytes.size()}};
    }

    void play(const Script& script, const std::string& dir)
    {
        for (const Act& act : script) {
            switch (act.kind) {
            case Act::Open: open(dir + act.text); break;
            case Act::Line:
            case Act::PaddedLine:
            case Act::Parts: line(act.text); break;
            case Act::AbandonedParts: break;
            case Act::Close: close(); break;
            }
        }
        close();
    }

    const std::map<std::string, File>& files() const { return files_; }
    const PieceWriter::Written& written() const { return written_; }

private:
    void open(const std::string& path)
    {
        close();
        open_ = &files_[path];
        created_ = !open_->exists;
        open_->exists = true;
        ++written_.pieces;
        const std::size_t unit = lineEnd_.size() / 2;
        const std::string& bytes = open_->bytes;
        const std::string last = bytes.substr(bytes.size() - std::min(unit, bytes.size()));
        const bool unfinished = last != lineEnd_.substr(0, unit) && last != lineEnd_.substr(unit);
        lead_ = bytes.empty() ? mark_ : unfinished ? lineEnd_ : "";  // a line found unfinished is ended first
    }
    void line(const std::string& line)
    {
        const std::string added = std::exchange(lead_, "") + line + lineEnd_;
        open_->bytes += added;
        open_->wholeSizes.push_back(open_->bytes.size());
        ++written_.lines;
        written_.bytes += added.size();
    }
    void close()
    {
        if (open_ && created_ && open_->bytes.empty()) {
            open_->exists = false;
            --written_.pieces;
        }
        open_ = nullptr;
    }

    const std::string lineEnd_;
    const std::string mark_;
    std::string lead_;
    std::map<std::string, File> files_;
    File* open_ = nullptr;
    bool created_ = false;
    PieceWriter::Written written_;
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

TEST(PieceWriter, HoldsWhatAPlainModelOfTheRunHolds)
{
    const char* const foundBytes[] = {"", "found\r\n", "found without a line end"};
    std::mt19937 rng(611);
    for (int round = 0; round < 120; ++round) {
        const std::size_t bufferSize = 8 + rng() % 293;
        const std::string& lineEnd = kLineEnds[rng() % 3];
        const std::string& mark = kMarks[rng() % 4];
        const Script script = RandomScript(rng, 60, 3 * bufferSize);
        SCOPED_TRACE("round " + std::to_string(round) + ", buffer " + std::to_string(bufferSize));
        TempDir dir;
        Model model(lineEnd, mark);
        for (int piece = 0; piece < 4; ++piece) {
            const std::string path = dir.path() + "piece" + std::to_string(piece) + ".txt";
            if (const std::size_t found = rng() % 4; found < 3) {
                WriteFile(path, foundBytes[found]);
                model.found(path, foundBytes[found]);
            }
        }
        model.play(script, dir.path());

        PieceWriter writer(bufferSize, 2 + rng() % 2, 1 + rng() % (2 * bufferSize));
        writer.setLineEnd(lineEnd);
        writer.setFileMark(mark);
        Play(script, script.size(), dir.path(), writer);
        writer.writePart(std::string(rng() % (2 * bufferSize), 'u'));  // unfinished: finish drops it
        ASSERT_TRUE(writer.finish());
        writer.close();
        ASSERT_TRUE(writer.finish());
        for (const auto& [path, file] : model.files()) {
            ASSERT_EQ(Exists(path), file.exists) << path;
            if (file.exists) {
                ASSERT_EQ(ReadFile(path), file.bytes) << path;
            }
        }
        EXPECT_EQ(writer.written().pieces, model.written().pieces);
        EXPECT_EQ(writer.written().lines, model.written().lines);
        EXPECT_EQ(writer.written().bytes, model.written().bytes);
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

// A link that leads nowhere, in a new piece's place, is refused before a line is written to it.
TEST(PieceWriter, RefusesALinkLeadingNowhereAtOnce)
{
    TempDir dir;
    const std::string path = dir.path() + "piece.txt";
    ASSERT_EQ(::symlink((dir.path() + "nowhere/x").c_str(), path.c_str()), 0);
    PieceWriter writer(8, 2);
    writer.open(path);
    for (int line = 0; line < 3; ++line)  // the third waits until the first was handled
        writer.writeLine("aaaa");
    EXPECT_TRUE(writer.failed());
    EXPECT_FALSE(writer.finish());
    EXPECT_EQ(writer.failure().step, PieceWriter::Step::Open);
    EXPECT_EQ(writer.failure().code, ENOENT);
    EXPECT_FALSE(Exists(dir.path() + "nowhere"));
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

// Memory stays flat with pieces of a line of a few bytes: a buffer goes to the writing thread
// once it holds its most pieces, long before it is full, and their files appear.
TEST(PieceWriter, HandsABufferOverOnceItHoldsItsMostPieces)
{
    TempDir dir;
    PieceWriter writer;
    for (std::size_t i = 0; i <= PieceWriter::kMostPiecesPerBuffer; ++i) {
        writer.open(dir.path() + std::to_string(i) + ".txt");
        writer.writeLine("a");
    }
    bool written = false;
    for (int wait = 0; wait < 1000 && !written; ++wait, ::usleep(10 * 1000))
        written = Exists(dir.path() + "0.txt");
    EXPECT_TRUE(written) << "the first pieces wait for the buffer to fill";
    EXPECT_TRUE(writer.finish());
    EXPECT_EQ(ReadFile(dir.path() + std::to_string(PieceWriter::kMostPiecesPerBuffer) + ".txt"), "a\r\n");
}

// A FIFO where a piece goes: written to while something reads it, refused at once while nothing
// does, rather than waited on for good with the run's stop behind it.
TEST(PieceWriter, WritesToAFifoInAPiecesPlaceOnlyWhileSomethingReadsIt)
{
    TempDir dir;
    const std::string fifo = dir.path() + "piece.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    PieceWriter unread;
    unread.open(fifo);
    unread.writeLine("nobody reads this");
    unread.close();
    EXPECT_FALSE(unread.finish());
    EXPECT_EQ(unread.failure().step, PieceWriter::Step::Open);
    EXPECT_EQ(unread.failure().path, fifo);
    EXPECT_EQ(unread.failure().code, ENXIO);

    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // a reader that waits for no writer
    ASSERT_GE(reader, 0);
    PieceWriter read;
    read.open(fifo);
    read.writeLine(std::string(100000, 'x'));  // more than the FIFO holds: the writer must wait
    read.close();
    // poll() tells no hang-up before a writer has come, so the loop ends at the writer's close.
    std::string got;
    std::thread reading([&] {
        char buffer[4096];
        for (pollfd ready{reader, POLLIN, 0}; ::poll(&ready, 1, 10000) > 0;) {
            const ssize_t n = ::read(reader, buffer, sizeof buffer);
            if (n == 0)
                break;
            if (n > 0)
                got.append(buffer, static_cast<std::size_t>(n));
        }
    });
    EXPECT_TRUE(read.finish());
    reading.join();
    ::close(reader);
    EXPECT_EQ(got.size(), 100002u);
    EXPECT_TRUE(got == std::string(100000, 'x') + kCrLf);
}

// A FIFO whose reader stopped reading: the caller keeps its turns while it waits, and the wait
// ends once a turn says so.
TEST(PieceWriter, GivesUpAWriteThatWaitsForAReaderWhenTheCallerSaysSo)
{
    TempDir dir;
    const std::string fifo = dir.path() + "piece.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // never reads
    ASSERT_GE(reader, 0);
    PieceWriter writer(4096);
    int turns = 0;
    writer.whileWaiting([&turns] { return ++turns == 3; });
    writer.open(fifo);
    for (int i = 0; i < 100; ++i)  // far more than the FIFO holds
        writer.writeLine(std::string(1000, 'x'));
    writer.close();
    EXPECT_FALSE(writer.finish());
    EXPECT_GE(turns, 3);
    EXPECT_EQ(writer.failure().step, PieceWriter::Step::Write);
    EXPECT_EQ(writer.failure().code, ECANCELED);
    EXPECT_LT(writer.written().lines, 100u);
    ::close(reader);
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
    std::string expected = "old content without a line end\r\n";  // ended before the new lines
    for (int i = 0; i < 24; ++i)  // 32 + 24 * 40 = 992: the 25th line would pass the limit
        expected += line + "\r\n";
    EXPECT_EQ(ReadFile(path), expected);
    EXPECT_EQ(writer.written().pieces, 1u);
    EXPECT_EQ(writer.written().lines, 24u);
    EXPECT_EQ(writer.written().bytes, 2 + 24u * 40);
}

// A piece this run created goes when it keeps no line; one that was there before stays as it was.
// The lines here hold a line end's bytes across two UTF-16 characters, and the one byte found
// in the piece puts them at an even offset in the file: only the characters can tell.
TEST(PieceWriter, CutsAFailedWriteBackToItsLastWholeLineWhateverItsLineEnd)
{
    struct Case {
        std::string lineEnd;
        std::string line;
        std::string before;
    };
    const Case cases[] = {
        {kCrLf, "a line\r", ""},
        {kUtf16LeCrLf, std::string("\x41\x0d\x00\x0a\x00\x41", 6), "\xff"},  // U+0D41 U+0A00 U+4100
        {kUtf16BeCrLf, std::string("\x01\x00\x0d\x00\x0a\x41", 6), "\xff"},  // U+0100 U+0D00 U+0A41
    };
    // In writes of a few lines the failing one is not the first, and the search for where a
    // write may end meets the line ends' bytes inside the lines.
    for (const bool fewLinesAWrite : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(&c - cases) + (fewLinesAWrite ? ", a few lines a write" : ""));
            TempDir dir;
            const std::string path = dir.path() + "piece.txt";
            WriteFile(path, c.before);
            const std::size_t lineSize = c.line.size() + c.lineEnd.size();
            const std::size_t most = fewLinesAWrite ? 3 * lineSize + 1 : PieceWriter::kMostPerWrite;
            PieceWriter writer(kDefaultWriteBuffer, 3, most);
            writer.setLineEnd(c.lineEnd);
            {
                // the 11th line's end is cut
                const FileSizeLimit limit(c.before.size() + (c.before.empty() ? 0 : c.lineEnd.size()) + 11 * lineSize - 1);
                writer.open(path);
                for (int i = 0; i < 50; ++i)
                    writer.writeLine(c.line);
                writer.close();
                EXPECT_FALSE(writer.finish());
            }
            const std::string ended = c.before.empty() ? "" : c.lineEnd;  // the byte found is no line end
            std::string expected = c.before + ended;
            for (int i = 0; i < 10; ++i)
                expected += c.line + c.lineEnd;
            EXPECT_EQ(ReadFile(path), expected);
            EXPECT_EQ(writer.written().lines, 10u);
            EXPECT_EQ(writer.written().bytes, ended.size() + 10 * lineSize);
        }
    }
}

TEST(PieceWriter, LeavesNoEmptyPieceOfItsOwnAndKeepsEveryPieceFoundThere)
{
    struct Case {
        const char* before;  // the piece's bytes before the run; null: it does not exist
        bool givenALine;     // "0123456789", which fails part-way past the limit
        rlim_t limit;
        const char* after;   // null: it does not exist
        std::string mark = "";
    };
    const rlim_t none = 1 << 20;
    const Case cases[] = {
        {nullptr, true, 3, nullptr},     // created, and its first write fails part-way
        {nullptr, true, 0, nullptr},     // created, and its first write fails at once
        {nullptr, false, none, nullptr},  // created, and closed without a line
        {"", true, 3, ""},
        {"", false, none, ""},
        {"old\r\n", true, 8, "old\r\n"},
        {nullptr, true, 2, nullptr, kUtf8Mark},  // the mark alone does not make a line
        {nullptr, true, 5, nullptr, kUtf8Mark},
        {"", true, 5, "", kUtf8Mark},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.path() + "piece.txt";
        if (c.before)
            WriteFile(path, c.before);
        PieceWriter writer;
        writer.setFileMark(c.mark);
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

// Runs `play` in a child process, then stops and kills it while the writing thread of a writer
// that `play` leaves alive may still be at work. The stop makes the kill land between system
// calls: a kill inside a write may keep part of it, cut at a page. What is tested is where the
// writer's own writes end.
void PlayInChildThenKill(const std::function<void()>& play)
{
    int played[2];
    ASSERT_EQ(::pipe(played), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        play();
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

// Plays the first `count` acts of `script` in a child process, then kills it.
void PlayAndKill(const Script& script, std::size_t count, const std::string& dir, std::size_t bufferSize,
                 std::size_t mostPerWrite, const std::string& lineEnd, const std::string& mark)
{
    PlayInChildThenKill([&] {
        auto* writer = new PieceWriter(bufferSize, 3, mostPerWrite);  // alive until the kill
        writer->setLineEnd(lineEnd);
        writer->setFileMark(mark);
        Play(script, count, dir, *writer);
    });
}

// Whether `dir` lies on a file system that makes files without a name.
bool MakesNamelessFiles(const std::string& dir)
{
    const int nameless = ::open(dir.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (nameless >= 0)
        ::close(nameless);
    return nameless >= 0;
}

TEST(PieceWriter, LeavesWholeLinesOnlyWhenKilled)
{
    std::mt19937 rng(1207);
    for (int round = 0; round < 8; ++round) {
        const std::size_t bufferSize = 8 + rng() % 293;
        const std::string& lineEnd = kLineEnds[rng() % 3];
        const std::string& mark = kMarks[rng() % 4];
        const Script script = RandomScript(rng, 4000, bufferSize - lineEnd.size());  // none fills a buffer
        const std::size_t killedAfter = rng() % script.size();
        SCOPED_TRACE("buffer " + std::to_string(bufferSize) + ", killed after act " +
                     std::to_string(killedAfter));
        TempDir dir;
        PlayAndKill(script, killedAfter, dir.path(), bufferSize, 1 + rng() % bufferSize, lineEnd, mark);
        Model model(lineEnd, mark);
        model.play(script, dir.path());
        ExpectWholeLinesOnly(model);
    }
}

// Killed between the parts of a line longer than its buffers, some of which reached the file:
// a piece being written has no name until it is closed, so no torn line is left under it.
TEST(PieceWriter, LeavesNoPartOfALongLineWhenKilledInsideIt)
{
    TempDir dir;
    if (!MakesNamelessFiles(dir.path()))
        GTEST_SKIP() << "this file system makes no file without a name";
    const std::string path = dir.path() + "piece.txt";
    PlayInChildThenKill([&] {
        auto* writer = new PieceWriter(8, 2);  // alive until the kill
        writer->open(path);
        writer->writeLine("whole");
        writer->writePart(std::string(200, 'x'));  // with two buffers, all but 16 bytes are written
    });
    EXPECT_TRUE(!Exists(path) || ReadFile(path) == "whole\r\n") << ReadFile(path).size() << " bytes left";
}

// A file that another program puts in the place of a new piece while it is written keeps its
// bytes; the piece's lines never reached a piece, and the failure says so.
TEST(PieceWriter, FailsAndCountsNothingWhenAFileTakesTheNewPiecesName)
{
    TempDir dir;
    if (!MakesNamelessFiles(dir.path()))
        GTEST_SKIP() << "this file system makes no file without a name";
    const std::string path = dir.path() + "piece.txt";
    PieceWriter writer(8, 2);
    writer.open(path);
    for (int line = 0; line < 3; ++line)  // the third waits until the first was written
        writer.writeLine("aaaa");
    WriteFile(path, "theirs\n");
    EXPECT_FALSE(writer.finish());
    EXPECT_EQ(writer.failure().step, PieceWriter::Step::Open);
    EXPECT_EQ(writer.failure().path, path);
    EXPECT_EQ(writer.failure().code, EEXIST);
    EXPECT_EQ(ReadFile(path), "theirs\n");
    EXPECT_EQ(writer.written().pieces, 0u);
    EXPECT_EQ(writer.written().lines, 0u);
    EXPECT_EQ(writer.written().bytes, 0u);
}

TEST(PieceWriter, CutsALongLineLeftUnfinishedBackToTheLastWholeLine)
{
    enum class Left { Abandoned, Closed, Finished, Destroyed };
    for (const bool found : {true, false})
    for (const Left left : {Left::Abandoned, Left::Closed, Left::Finished, Left::Destroyed}) {
        SCOPED_TRACE(std::string(found ? "found, " : "new, ") + std::to_string(static_cast<int>(left)));
        TempDir dir;
        const std::string path = dir.path() + "piece.txt";
        if (found)  // written to in place, where it can be watched
            WriteFile(path, "");
        auto writer = std::make_unique<PieceWriter>(8, 2);
        writer->open(path);
        writer->writeLine("whole");
        writer->writePart(std::string(100, 'x'));
        writer->writePart(std::string(100, 'y'));
        // With two buffers, all but the last two buffers' worth must have been written.
        if (found) {
            ASSERT_GE(ReadFile(path).size(), 7u + 200 - 16);
        }
        switch (left) {
        case Left::Abandoned:
            writer->abandonLine();
            writer->writeLine("next");
            break;
        case Left::Closed: writer->close(); break;
        case Left::Finished: writer->finish(); break;
        case Left::Destroyed: writer.reset(); break;
        }
        if (writer) {
            EXPECT_TRUE(writer->finish());
            EXPECT_EQ(writer->written().lines, left == Left::Abandoned ? 2u : 1u);
        }
        EXPECT_EQ(ReadFile(path), left == Left::Abandoned ? "whole\r\nnext\r\n" : "whole\r\n");
    }
}

// Each of two runs appends a line; the first also drops a long line, mark and all.
TEST(PieceWriter, BeginsAPieceWithTheMarkOnlyWhenItIsEmpty)
{
    const char* const foundBytes[] = {nullptr, "", "found\r\n"};
    for (const char* found : foundBytes) {
        SCOPED_TRACE(found ? found : "(none)");
        TempDir dir;
        const std::string path = dir.path() + "piece.txt";
        if (found)
            WriteFile(path, found);
        for (const char* line : {"one", "two"}) {
            PieceWriter writer(64, 2, 6);  // a line a write: the mark goes with the first only
            writer.setFileMark(kUtf8Mark);
            writer.open(path);
            if (line == std::string("one")) {
                writer.writePart(std::string(100, 'x'));
                writer.abandonLine();
            }
            writer.writeLine(line);
            writer.writeLine(line);
            writer.close();
            ASSERT_TRUE(writer.finish());
        }
        const std::string before = found && *found ? found : kUtf8Mark;
        EXPECT_EQ(ReadFile(path), before + "one\r\none\r\ntwo\r\ntwo\r\n");
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
