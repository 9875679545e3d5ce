#include "engine/SplitRun.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <string>

#include "engine/CreateFolderTree.h"
#include "engine/FolderLock.h"
#include "engine/PieceNames.h"
#include "runtime/CharCounter.h"
#include "runtime/DetectEncoding.h"
#include "runtime/FileNumbers.h"
#include "runtime/Folders.h"
#include "runtime/LineMoves.h"
#include "runtime/LineReader.h"
#include "runtime/LineTrim.h"
#include "runtime/PieceWriter.h"
#include "runtime/Text.h"

namespace tess {

namespace {

RunFailure FailureOf(PieceWriter::Step step)
{
    switch (step) {
    case PieceWriter::Step::Open: return RunFailure::OpenPiece;
    case PieceWriter::Step::Write: return RunFailure::WritePiece;
    case PieceWriter::Step::Spare: return RunFailure::PieceIsSource;
    case PieceWriter::Step::Close: break;
    }
    return RunFailure::ClosePiece;
}

// The fill at which a piece is closed. A fill is a whole number, so reaching the threshold is
// reaching the whole number at or above it; a piece always takes at least one line.
std::uint64_t PieceLimit(double threshold)
{
    if (!(threshold > 1))
        return 1;
    if (threshold >= 0x1p64)
        return UINT64_MAX;
    return static_cast<std::uint64_t>(std::ceil(threshold));
}

// The spaces that a line held back at the end of one part turns out to have inside it: runs of
// the space unit, written a run at a time.
std::string SpaceRun(std::string_view space)
{
    std::string run;
    while (run.size() < 256)
        run += space;
    return run;
}
const std::string kSpaces8 = SpaceRun(" ");
const std::string kSpacesLE = SpaceRun(std::string_view(" \0", 2));
const std::string kSpacesBE = SpaceRun(std::string_view("\0 ", 2));

// Whole lines kept in size mode whose characters are not counted yet.
struct Span {
    bool open = false;
    LineReader::Place start;  // of the first one's bytes
    std::uint64_t kept = 0;   // bytes kept since
};

class SplitRun {
public:
    SplitRun(ISplitHost& host, const SplitRequest& request)
        : host_(host), request_(request), reader_(request.readBlock, request.mapSource), writer_(request.writeBuffer)
    {
        writer_.holdBackWhen(reader_.cutShortFlag());
        // A piece slow to take its bytes leaves the host its turns, and its stop.
        writer_.whileWaiting([this] {
            stopAsked_ = consultHost() || stopAsked_;
            return stopAsked_;
        });
        // The writing thread idles while the split is the slower half: it reads ahead then.
        writer_.setIdleWork([this] { reader_.serveReadAhead(); });
        reader_.readAheadBy([this] { writer_.offerIdleWork(); });
    }

    RunResult run();

private:
    bool takeFileNumbers();
    // Makes `attempt` again while it answers LineReader::kWaiting, giving the host its turn
    // between two; returns its last answer, or 0 with `stopped` set when the host asks for a stop.
    template <class Attempt>
    int retryWhileWaiting(Attempt attempt, bool& stopped);
    // 0, or the failure's error number; a stop asked for while it waits leaves `stopped` set.
    int openSource(bool& stopped) { return retryWhileWaiting([this] { return reader_.open(sourcePath_); }, stopped); }
    // As openSource, for finding the encoding from the source's first bytes.
    int useEncoding(bool& stopped);
    // Hands a line that lies whole in one part to its piece, trimmed.
    void keepWhole(std::string_view raw);
    template <class Form, bool Counting, class Moves>
    [[gnu::always_inline]] void keepListedLines();
#ifdef TESSALINE_WIDE_MOVES
    // The same loop built for AVX2, whose moves take a line in half the instructions, and whose
    // prefetch of the write buffer asks for its lines to write (PREFETCHW).
    template <class Form, bool Counting>
    [[gnu::target("avx2,prfchw")]] void keepListedLinesWide() { keepListedLines<Form, Counting, moves::Wide>(); }
#endif
    template <class Form, bool Counting>
    void keepListedLinesNarrow() { keepListedLines<Form, Counting, moves::Narrow>(); }
    using KeepListedLines = void (SplitRun::*)();
    static KeepListedLines KeepListedLinesFor(Encoding encoding, bool counting);
    template <class Form>
    static KeepListedLines KeepListedLinesIn(bool counting);
    // Hands on one part of a line that comes in several: leading spaces are passed over and
    // trailing ones held back as a count, until a byte that is not a space shows they are inside.
    void keepPart(std::string_view part, bool lineEnds);
    std::string_view trim(std::string_view text) const
    {
        return unit_ == 1 ? TrimPaddedSpaces(text) : TrimPaddedSpaceUnits(text, encoding_ == Encoding::Utf16BE);
    }
    void openPieceIfNeeded();
    void writeHeldSpaces();
    // In size mode, the fill that a whole line kept with `bytes` of its own adds to a piece
    // filled to `fill` of `limit`, whose uncounted lines are `span`; a unit is 1 << unitShift
    // bytes. Given as arguments, they stay in registers in the loop over listed lines.
    std::uint64_t fillOfWhole(std::string_view raw, std::size_t bytes, std::uint64_t fill, std::uint64_t limit,
                              unsigned unitShift, Span& span);
    std::uint64_t countSpan(const char* end, unsigned unitShift, Span& span);
    void lineKept(std::size_t bytes, std::uint64_t fill);
    void endPiece();
    bool consultHost();
    std::size_t charsOf(std::string_view bytes) { return counting_ ? counter_.count(bytes.data(), bytes.size()) : 0; }
    // Closes the open piece and waits until every piece is written; false when writing failed.
    bool finishPieces();
    RunResult failedWriting();
    RunResult failedReading(int code);
    RunResult completed();
    RunResult stopped();
    // A stop gave up a write that waited for a piece's reader.
    bool gaveUpWriting() const { return stopAsked_ && writer_.failure().code == ECANCELED; }
    RunResult fail(RunFailure what, const std::string& path, int code);
    void endRun();

    ISplitHost& host_;
    const SplitRequest& request_;
    LineReader reader_;
    FolderLock folderLock_;
    PieceWriter writer_;
    CharCounter counter_{Encoding::DoubleByte};
    Encoding encoding_ = Encoding::DoubleByte;
    const std::string* spaces_ = &kSpaces8;
    std::size_t unit_ = 1;
    unsigned unitShift_ = 0;  // units = bytes >> unitShift_: a line's worth of division spared
    std::size_t lineEndBytes_ = 2;
    bool counting_ = false;
    KeepListedLines keepListedLines_ = nullptr;
    std::string sourcePath_;
    std::string destination_;
    std::string baseName_;
    int sourceNumber_ = 0;
    int pieceNumber_ = 0;
    std::uint64_t pieceCounter_ = 1;
    std::uint64_t fill_ = 0;
    std::uint64_t limit_ = 1;
    bool stopAsked_ = false;
    RunProgress progress_;

    Span span_;

    // A line that comes in parts, while it does.
    bool inLine_ = false;
    bool leading_ = false;      // no byte but spaces yet
    std::size_t held_ = 0;      // trailing space units not yet written
    std::size_t lineBytes_ = 0;
    std::size_t lineChars_ = 0;
};

RunResult SplitRun::run()
{
    // Spaces around a path are trimmed for the paste they come from; a file whose name really
    // ends in a space is the file named, and its pieces are named after it.
    sourcePath_ = PathExists(request_.sourceText) ? request_.sourceText : std::string(TrimSpaces(request_.sourceText));
    baseName_ = BaseName(SourceFileName(sourcePath_));
    destination_ = request_.destinationText;
    if (!PathExists(destination_))
        modBrowseForFolder::CreateFolderTree(destination_, host_);
    const std::string folder = FolderOf(destination_ + baseName_);  // of the pieces, whatever their number
    if (!folderLock_.take(folder))
        return fail(RunFailure::FolderBusy, folder, EWOULDBLOCK);
    if (!takeFileNumbers())
        return fail(RunFailure::NoFileNumber, sourcePath_, EMFILE);
    host_.setTimerEnabled(true);

    bool stop = false;
    if (const int code = openSource(stop))
        return fail(RunFailure::OpenSource, sourcePath_, code);
    if (stop)
        return stopped();
    writer_.spare(reader_.device(), reader_.inode());  // a piece linked to it would feed on it
    if (const int code = useEncoding(stop))
        return code == EILSEQ ? fail(RunFailure::Utf32Source, sourcePath_, code)
                              : fail(RunFailure::ReadSource, sourcePath_, code);
    if (stop)
        return stopped();
    progress_.sourceBytes = reader_.sizeAtOpen();

    for (;;) {
        if (!inLine_ && !stopAsked_)
            (this->*keepListedLines_)();
        int code = 0;
        if (!inLine_) {
            bool atEnd = false;
            code = reader_.atEnd(atEnd);
            if (code == 0 && atEnd)
                return completed();
        }
        // Tested after the end of the input, so a stop seen after the last line completes the run.
        if (stopAsked_)
            return stopped();
        std::string_view part;
        bool lineEnds = false;
        if (code == 0)
            code = reader_.readPart(part, lineEnds);
        if (code == LineReader::kWaiting) {  // a pipe is silent: the host has its turn meanwhile
            if (consultHost())
                return stopped();
            continue;
        }
        if (code != 0)
            return failedReading(code);
        // A stop raised while a line came in parts is seen before its next part, even the end of
        // the input that a pipe's reader found in the same wait: the line is left out.
        if (inLine_ && host_.attention().load(std::memory_order_relaxed)) {
            stopAsked_ = consultHost();
            if (stopAsked_)
                continue;
        }
        if (lineEnds && !inLine_)
            keepWhole(part);
        else
            keepPart(part, lineEnds);
        if (writer_.failed())
            return failedWriting();
        if (host_.attention().load(std::memory_order_relaxed))
            stopAsked_ = consultHost();
    }
}

// True when the host, given its turn, asks for a stop.
bool SplitRun::consultHost()
{
    host_.attention().store(false, std::memory_order_relaxed);
    progress_.bytesRead = reader_.bytesRead();
    host_.yieldToEvents(progress_);
    return host_.stopRequested();
}

bool SplitRun::takeFileNumbers()
{
    auto& table = FileNumbers::process();
    sourceNumber_ = table.lowestFree();
    if (!table.take(sourceNumber_))
        return false;
    pieceNumber_ = table.lowestFree();
    return table.take(pieceNumber_);
}

// A signal while opening; a pipe silent before its first byte, or a FIFO with no writer yet.
template <class Attempt>
int SplitRun::retryWhileWaiting(Attempt attempt, bool& stopped)
{
    for (;;) {
        const int code = attempt();
        if (code != LineReader::kWaiting)
            return code;
        if (consultHost()) {
            stopped = true;
            return 0;
        }
    }
}

// Finds the source's encoding and sets the reader, the writer and the counter to it.
int SplitRun::useEncoding(bool& stopped)
{
    std::string_view sample;
    bool endsSource = false;
    const int code =
        retryWhileWaiting([this, &sample, &endsSource] { return reader_.sample(sample, endsSource); }, stopped);
    if (code != 0 || stopped)
        return code;
    const Detection found =
        request_.encoding ? NamedEncoding(*request_.encoding, sample) : DetectEncoding(sample, endsSource);
    if (found.utf32)
        return EILSEQ;
    encoding_ = found.encoding;
    unit_ = UnitBytes(encoding_);
    unitShift_ = unit_ == 2 ? 1 : 0;
    spaces_ = encoding_ == Encoding::Utf16LE ? &kSpacesLE : encoding_ == Encoding::Utf16BE ? &kSpacesBE : &kSpaces8;
    reader_.useEncoding(encoding_, found.markBytes);
    writer_.setLineEnd(LineEndBytes(encoding_));
    lineEndBytes_ = LineEndBytes(encoding_).size();
    if (found.markBytes > 0)
        writer_.setFileMark(MarkBytes(encoding_));
    writer_.setEncodingMark(MarkBytes(encoding_));
    counter_ = CharCounter(encoding_);
    counting_ = request_.mode == SplitMode::BySize;
    reader_.noteCharacters(counting_);
    keepListedLines_ = KeepListedLinesFor(encoding_, counting_);
    limit_ = PieceLimit(request_.threshold);
    return 0;
}

inline void SplitRun::openPieceIfNeeded()
{
    if (writer_.isOpen())
        return;
    writer_.open(PiecePath(destination_, baseName_, pieceCounter_));
    ++progress_.piecesWritten;
}

inline void SplitRun::keepWhole(std::string_view raw)
{
    const std::string_view line = trim(raw);
    if (line.empty()) {
        ++progress_.linesDropped;
        return;
    }
    openPieceIfNeeded();
    writer_.writePaddedLine(line);
    lineKept(line.size(), counting_ ? fillOfWhole(raw, line.size(), fill_, limit_, unitShift_, span_) : 1);
}

// The lines the reader has listed already, kept as keepWhole does, in a loop that holds its
// place in registers: bytes written through a pointer may alias any member, so members are
// touched only before and after it. It goes on to the end of the list, to a line that needs
// more (a full buffer, a piece to open), or to the host's attention; so a segment's lines at
// most pass before the writer's failure is looked at again. The lines kept and dropped are
// counted after it, from the lines passed and put, so that it carries no counters of its own.
template <class Form, bool Counting, class Moves>
inline void SplitRun::keepListedLines()
{
    if (!writer_.isOpen())
        return;
    LineReader::ListedLines lines = reader_.listedLines();
    PieceWriter::LineSink sink = writer_.lineSink();
    std::uint64_t fill = fill_;
    const std::uint64_t limit = limit_;
    Span span = span_;
    const std::atomic<bool>& attention = host_.attention();
    std::string_view raw;
    while (fill < limit && !attention.load(std::memory_order_relaxed) && lines.peek(raw)) {
        const std::string_view line = TrimPaddedIn<Form>(raw);
        if (!line.empty()) {
            if (!sink.template put<Moves>(line))
                break;
            constexpr unsigned kUnitShift = Form::kBytes == 2 ? 1 : 0;
            fill += Counting ? fillOfWhole(raw, line.size(), fill, limit, kUnitShift, span) : 1;
        }
        lines.skip<Form>();
    }
    const std::size_t passed = reader_.resume(lines);
    const std::size_t kept = sink.linesPut();
    progress_.bytesWritten += writer_.took(sink);
    progress_.linesKept += kept;
    progress_.linesDropped += passed - kept;
    fill_ = fill;
    span_ = span;
    if (fill_ >= limit_)
        endPiece();
}

SplitRun::KeepListedLines SplitRun::KeepListedLinesFor(Encoding encoding, bool counting)
{
    switch (encoding) {
    case Encoding::Utf16LE: return KeepListedLinesIn<Utf16LEUnits>(counting);
    case Encoding::Utf16BE: return KeepListedLinesIn<Utf16BEUnits>(counting);
    case Encoding::DoubleByte:
    case Encoding::Utf8:
        break;
    }
    return KeepListedLinesIn<ByteUnits>(counting);
}

template <class Form>
SplitRun::KeepListedLines SplitRun::KeepListedLinesIn(bool counting)
{
#ifdef TESSALINE_WIDE_MOVES
    if (moves::WideRuns())
        return counting ? &SplitRun::keepListedLinesWide<Form, true> : &SplitRun::keepListedLinesWide<Form, false>;
#endif
    return counting ? &SplitRun::keepListedLinesNarrow<Form, true> : &SplitRun::keepListedLinesNarrow<Form, false>;
}

// A character takes at least one unit, so while the units kept since the last count leave the
// piece below its limit, no line among them can have reached it, and none needs counting. When
// one may have, the span of them is counted at once from the reader's marks: its characters
// less the units that were not kept (line ends, spaces, blank lines), one character each. Near
// a piece's end that is every line; before it, a few counts a piece.
inline std::uint64_t SplitRun::fillOfWhole(std::string_view raw, std::size_t bytes, std::uint64_t fill,
                                           std::uint64_t limit, unsigned unitShift, Span& span)
{
    if (!span.open) {
        span.open = true;
        span.start = reader_.placeOf(raw.data());
        span.kept = 0;
    }
    span.kept += bytes;
    const std::uint64_t unitLess = (std::uint64_t{1} << unitShift) - 1;
    const std::uint64_t mostChars = (span.kept + unitLess) >> unitShift;  // a lone byte at the end is one
    if (fill + mostChars < limit)
        return 0;
    return countSpan(raw.data() + raw.size(), unitShift, span);
}

// The characters kept in the open span up to `end`, where no kept byte lies after its last line;
// closes it.
std::uint64_t SplitRun::countSpan(const char* end, unsigned unitShift, Span& span)
{
    const LineReader::Place place = reader_.placeOf(end);
    const std::uint64_t notKept = place.offset - span.start.offset - span.kept;
    span.open = false;
    return place.chars - span.start.chars - (notKept >> unitShift);
}

void SplitRun::keepPart(std::string_view part, bool lineEnds)
{
    if (!inLine_) {
        inLine_ = leading_ = true;
        held_ = lineBytes_ = lineChars_ = 0;
        counter_.reset();
        if (span_.open)  // the reader counts no line in parts: the span ends before it
            fill_ += countSpan(part.data(), unitShift_, span_);
    }
    const std::string_view inner = trim(part);
    if (leading_ && !inner.empty()) {
        leading_ = false;
        openPieceIfNeeded();
        part.remove_prefix(static_cast<std::size_t>(inner.data() - part.data()));
    }
    if (!leading_ && !part.empty()) {
        const std::size_t trailing = inner.empty() ? part.size() : static_cast<std::size_t>(part.end() - inner.end());
        const std::string_view body = part.substr(0, part.size() - trailing);
        if (!body.empty()) {
            writeHeldSpaces();
            writer_.writePart(body);
            lineBytes_ += body.size();
            lineChars_ += charsOf(body);
        }
        held_ += trailing / unit_;
    }
    if (!lineEnds)
        return;
    inLine_ = false;
    if (leading_) {
        ++progress_.linesDropped;
        return;
    }
    writer_.endLine();
    lineKept(lineBytes_, counting_ ? lineChars_ : 1);
}

// Spaces are characters of one unit each, and no character goes on across them.
void SplitRun::writeHeldSpaces()
{
    if (held_ == 0)
        return;
    lineBytes_ += held_ * unit_;
    lineChars_ += held_;
    for (std::size_t bytes = held_ * unit_; bytes > 0;) {
        const std::size_t run = std::min(bytes, spaces_->size());
        writer_.writePart(std::string_view(spaces_->data(), run));
        bytes -= run;
    }
    held_ = 0;
    counter_.reset();
}

inline void SplitRun::lineKept(std::size_t bytes, std::uint64_t fill)
{
    ++progress_.linesKept;
    progress_.bytesWritten += bytes + lineEndBytes_;
    fill_ += fill;
    if (fill_ >= limit_)
        endPiece();
}

void SplitRun::endPiece()
{
    fill_ = 0;
    ++pieceCounter_;
    writer_.close();
}

bool SplitRun::finishPieces()
{
    if (inLine_)
        writer_.abandonLine();  // a line the run ended inside of is left out whole
    inLine_ = false;
    writer_.close();
    return writer_.finish();
}

RunResult SplitRun::failedReading(int code)
{
    if (code == LineReader::kCutShort)
        return fail(RunFailure::SourceCutShort, sourcePath_, EIO);
    return fail(RunFailure::ReadSource, sourcePath_, code);
}

RunResult SplitRun::failedWriting()
{
    if (reader_.cutShortFlag().load())  // the writer refused what came after
        return failedReading(reader_.lostPagesCode());
    finishPieces();
    if (gaveUpWriting())
        return stopped();
    const PieceWriter::Failure& failure = writer_.failure();
    return fail(FailureOf(failure.step), failure.path, failure.code);
}

RunResult SplitRun::completed()
{
    if (!finishPieces())
        return failedWriting();
    endRun();
    return {RunOutcome::Completed, progress_, encoding_, std::nullopt};
}

RunResult SplitRun::stopped()
{
    if (!finishPieces() && !gaveUpWriting())
        return failedWriting();
    endRun();
    return {RunOutcome::Stopped, progress_, encoding_, std::nullopt};
}

// Every file of the run is closed before the failure is reported; the lines kept before a
// failure to read stay in their piece.
RunResult SplitRun::fail(RunFailure what, const std::string& path, int code)
{
    finishPieces();
    endRun();
    return {RunOutcome::Failed, progress_, encoding_, RunError{what, path, SystemError(code)}};
}

// However the run ended, once the pieces are finished: what was handed over but never reached
// a piece does not count, nor does a piece that a long line cut short by a stop had opened and
// that is gone again; the file marks that reached the pieces do.
void SplitRun::endRun()
{
    const PieceWriter::Written& written = writer_.written();
    progress_.piecesWritten = written.pieces;
    progress_.linesKept = written.lines;
    progress_.bytesWritten = written.bytes;
    progress_.bytesRead = reader_.bytesRead();
    reader_.close();
    auto& table = FileNumbers::process();
    table.release(sourceNumber_);
    table.release(pieceNumber_);
    host_.setTimerEnabled(false);
}

}  // namespace

RunResult RunSplit(ISplitHost& host, const SplitRequest& request)
{
    SplitRun run(host, request);
    return run.run();
}

}  // namespace tess
