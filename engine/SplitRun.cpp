#include "engine/SplitRun.h"

#include <cerrno>
#include <new>
#include <string>

#include "engine/CreateFolderTree.h"
#include "engine/PieceNames.h"
#include "runtime/FileNumbers.h"
#include "runtime/Folders.h"
#include "runtime/LineReader.h"
#include "runtime/PieceWriter.h"
#include "runtime/Text.h"

namespace tess {

namespace {

RunFailure FailureOf(PieceWriter::Step step)
{
    switch (step) {
    case PieceWriter::Step::Open: return RunFailure::OpenPiece;
    case PieceWriter::Step::Write: return RunFailure::WritePiece;
    case PieceWriter::Step::Close: break;
    }
    return RunFailure::ClosePiece;
}

class SplitRun {
public:
    SplitRun(ISplitHost& host, const SplitRequest& request)
        : host_(host), request_(request), reader_(request.readBlock), writer_(request.writeBuffer)
    {
    }

    RunResult run();
    // After a line too long for memory: its memory goes back before the pieces are finished.
    RunResult failForMemory()
    {
        reader_.close();
        return fail(RunFailure::ReadSource, sourcePath_, ENOMEM);
    }

private:
    bool takeFileNumbers();
    // Trims one line read from the source and hands it to its piece.
    void keep(std::string_view raw);
    // What the kept line adds to its piece's fill; `trimmed` spaces were cut from it.
    double weigh(std::size_t trimmed) const;
    // Closes the open piece and waits until every piece is written; false when writing failed.
    bool finishPieces();
    RunResult failedWriting();
    RunResult completed();
    RunResult stopped();
    RunResult fail(RunFailure what, const std::string& path, int code);
    void endRun();

    ISplitHost& host_;
    const SplitRequest& request_;
    LineReader reader_;
    PieceWriter writer_;
    std::string sourcePath_;
    std::string destination_;
    std::string baseName_;
    int sourceNumber_ = 0;
    int pieceNumber_ = 0;
    std::uint64_t pieceCounter_ = 1;
    double fill_ = 0;
    RunProgress progress_;
};

RunResult SplitRun::run()
{
    baseName_ = BaseName(SourceFileName(request_.sourceText));
    destination_ = request_.destinationText;
    if (!PathExists(destination_))
        modBrowseForFolder::CreateFolderTree(destination_, host_);
    if (request_.mode == SplitMode::BySize)
        reader_.countCharacters(request_.codePage);

    sourcePath_ = std::string(TrimSpaces(request_.sourceText));
    if (!takeFileNumbers())
        return fail(RunFailure::NoFileNumber, sourcePath_, EMFILE);
    host_.setTimerEnabled(true);

    if (const int code = reader_.open(sourcePath_))
        return fail(RunFailure::OpenSource, sourcePath_, code);
    progress_.sourceBytes = reader_.sizeAtOpen();

    for (;;) {
        bool atEnd = false;
        if (const int code = reader_.atEnd(atEnd))
            return fail(RunFailure::ReadSource, sourcePath_, code);
        if (atEnd)
            return completed();
        // Tested after the end of the input, so a stop seen after the last line completes the run.
        if (host_.stopRequested())
            return stopped();
        std::string_view line;
        if (const int code = reader_.readLine(line))
            return fail(RunFailure::ReadSource, sourcePath_, code);
        progress_.bytesRead = reader_.bytesRead();
        keep(line);
        if (writer_.failed())
            return failedWriting();
        host_.yieldToEvents(progress_);
    }
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

void SplitRun::keep(std::string_view raw)
{
    const std::string_view line = TrimPaddedSpaces(raw);
    if (line.empty()) {
        ++progress_.linesDropped;
        return;
    }
    if (!writer_.isOpen()) {
        writer_.open(PiecePath(destination_, baseName_, pieceCounter_));
        ++progress_.piecesWritten;
    }
    writer_.writePaddedLine(line);
    ++progress_.linesKept;
    progress_.bytesWritten += line.size() + 2;

    fill_ += weigh(raw.size() - line.size());
    if (fill_ < request_.threshold)
        return;
    fill_ = 0;
    ++pieceCounter_;
    writer_.close();
}

double SplitRun::weigh(std::size_t trimmed) const
{
    if (request_.mode == SplitMode::ByLineCount)
        return 1;
    return static_cast<double>(reader_.lineChars() - trimmed);  // a space is one character
}

bool SplitRun::finishPieces()
{
    writer_.close();
    return writer_.finish();
}

RunResult SplitRun::failedWriting()
{
    writer_.finish();
    const PieceWriter::Failure& failure = writer_.failure();
    return fail(FailureOf(failure.step), failure.path, failure.code);
}

RunResult SplitRun::completed()
{
    if (!finishPieces())
        return failedWriting();
    endRun();
    return {RunOutcome::Completed, progress_, std::nullopt};
}

RunResult SplitRun::stopped()
{
    if (!finishPieces())
        return failedWriting();
    endRun();
    return {RunOutcome::Stopped, progress_, std::nullopt};
}

// Every file of the run is closed before the failure is reported; the lines kept before a
// failure to read stay in their piece.
RunResult SplitRun::fail(RunFailure what, const std::string& path, int code)
{
    finishPieces();
    // What was handed over but never reached a piece does not count.
    const PieceWriter::Written& written = writer_.written();
    progress_.piecesWritten = written.pieces;
    progress_.linesKept = written.lines;
    progress_.bytesWritten = written.bytes;
    endRun();
    return {RunOutcome::Failed, progress_, RunError{what, path, SystemError(code)}};
}

void SplitRun::endRun()
{
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
    try {
        return run.run();
    } catch (const std::bad_alloc&) {
        // A line too long for memory: the lines kept before it are written out, then reported.
        return run.failForMemory();
    }
}

}  // namespace tess
