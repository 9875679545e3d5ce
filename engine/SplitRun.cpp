#include "engine/SplitRun.h"

#include <cerrno>
#include <string>

#include "engine/CreateFolderTree.h"
#include "engine/PieceNames.h"
#include "runtime/FileNumbers.h"
#include "runtime/Folders.h"
#include "runtime/LineReader.h"
#include "runtime/PieceWriter.h"
#include "runtime/SystemError.h"
#include "runtime/Text.h"

namespace tess {

namespace {

constexpr const char* kCompletedNotice = "转换处理完成！";
constexpr const char* kNoticeTitle = "提示";

class SplitRun {
public:
    SplitRun(ISplitHost& host, const SplitSettings& settings)
        : host_(host), settings_(settings), reader_(settings.readBlock), writer_(settings.writeBuffer)
    {
    }

    RunResult run();

private:
    bool takeFileNumbers();
    // Trims one line read from the source and hands it to its piece; 0, or the system's error
    // number with `failure` saying what failed.
    int keep(std::string_view line, RunFailure& failure);
    double weigh(std::string_view line) const;
    // Flushes and closes the open piece, if any; 0, or the error number with `failure` set.
    int closePiece(RunFailure& failure);
    RunResult completed();
    RunResult stopped();
    RunResult fail(RunFailure what, const std::string& path, int code);
    void endRun();

    ISplitHost& host_;
    const SplitSettings& settings_;
    LineReader reader_;
    PieceWriter writer_;
    std::string sourcePath_;
    std::string destination_;
    std::string baseName_;
    std::string piecePath_;
    int sourceNumber_ = 0;
    int pieceNumber_ = 0;
    std::uint64_t pieceCounter_ = 1;
    double fill_ = 0;
    RunProgress progress_;
};

RunResult SplitRun::run()
{
    baseName_ = BaseName(SourceFileName(host_.sourceText()));
    destination_ = host_.destinationText();
    if (!PathExists(destination_))
        modBrowseForFolder::CreateFolderTree(destination_, host_);

    sourcePath_ = std::string(TrimSpaces(host_.sourceText()));
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
        RunFailure failure{};
        if (const int code = keep(TrimSpaces(line), failure))
            return fail(failure, piecePath_, code);
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

int SplitRun::keep(std::string_view line, RunFailure& failure)
{
    if (line.empty()) {
        ++progress_.linesDropped;
        return 0;
    }
    if (!writer_.isOpen()) {
        piecePath_ = PiecePath(destination_, baseName_, pieceCounter_);
        failure = RunFailure::OpenPiece;
        if (const int code = writer_.open(piecePath_))
            return code;
        ++progress_.piecesWritten;
    }
    failure = RunFailure::WritePiece;
    if (const int code = writer_.writeLine(line))
        return code;
    ++progress_.linesKept;
    progress_.bytesWritten += line.size() + 2;

    fill_ += weigh(line);
    if (fill_ < settings_.threshold)
        return 0;
    fill_ = 0;
    ++pieceCounter_;
    return closePiece(failure);
}

int SplitRun::closePiece(RunFailure& failure)
{
    failure = RunFailure::WritePiece;
    if (const int code = writer_.flush())
        return code;
    failure = RunFailure::ClosePiece;
    return writer_.close();
}

double SplitRun::weigh(std::string_view line) const
{
    if (settings_.mode == SplitMode::ByLineCount)
        return 1;
    return static_cast<double>(CountChars(settings_.codePage, line));
}

RunResult SplitRun::completed()
{
    RunFailure failure{};
    if (const int code = closePiece(failure))
        return fail(failure, piecePath_, code);
    endRun();
    host_.setStartCaption(kStartCaption);
    host_.showMessage(kCompletedNotice, MessageStyle::Information, kNoticeTitle);
    return {RunOutcome::Completed, progress_, std::nullopt};
}

RunResult SplitRun::stopped()
{
    // The stop click has restored the caption already.
    RunFailure failure{};
    if (const int code = closePiece(failure))
        return fail(failure, piecePath_, code);
    endRun();
    return {RunOutcome::Stopped, progress_, std::nullopt};
}

RunResult SplitRun::fail(RunFailure what, const std::string& path, int code)
{
    if (what == RunFailure::WritePiece || what == RunFailure::ClosePiece)
        writer_.discard();
    else
        writer_.close();  // the lines kept before a read failure stay in their piece
    endRun();
    host_.setStartCaption(kStartCaption);
    RunError error{what, path, code, SystemErrorText(code)};
    host_.reportFailure(error);
    return {RunOutcome::Failed, progress_, error};
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

RunResult RunSplit(ISplitHost& host, const SplitSettings& settings)
{
    return SplitRun(host, settings).run();
}

}  // namespace tess
