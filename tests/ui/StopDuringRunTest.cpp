// Real runs on a generated source large enough to be caught in the middle: a stop click, a start
// click while stopping, and closing the window, each made while the split is running.

#include <fstream>
#include <functional>

#include <QCoreApplication>
#include <QProgressBar>
#include <QTimer>

#include "WindowTestSupport.h"
#include "support/TempDir.h"

namespace tess::testing {
namespace {

constexpr int kLineWidth = 64;
// 128 MiB: a run takes a good fraction of a second, and the first event pass comes after about
// 10 ms, so the actions below always land while the split still has most of the source ahead.
constexpr int kLines = (128 << 20) / kLineWidth;
constexpr int kLinesPerPiece = 3000;

class StopDuringRun : public WindowTest {
protected:
    void SetUp() override
    {
        std::ofstream source(dir.path() + "big.txt", std::ios::binary);
        constexpr int kBatch = 16384;
        for (int first = 1; first <= kLines; first += kBatch)
            source << NumberedLines(first, std::min(kBatch, kLines - first + 1), kLineWidth);
        ASSERT_TRUE(source.good());
        setText("txtPath", QString::fromStdString(dir.path() + "big.txt"));
        setText("txtSave", QString::fromStdString(out()));
        setText("txtLineCount", QString::number(kLinesPerPiece));
    }

    std::string out() const { return dir.path() + "out/"; }

    // Starts a run and calls `during` from the run's first pass through the event loop.
    void startAndThen(std::function<void()> during)
    {
        bool called = false;
        QTimer::singleShot(0, &window, [&] {
            called = true;
            during();
        });
        clickStart();
        ASSERT_TRUE(called) << "the run never handed control to the event loop";
    }

    // Every line the run kept is in its piece, whole and in order, and nothing else is.
    void expectPiecesHoldExactlyTheKeptLines()
    {
        const auto kept = static_cast<int>(window.lastRun().progress.linesKept);
        ASSERT_GT(kept, 0);
        ASSERT_LT(kept, kLines) << "the run was not stopped midway";
        const std::vector<std::string> pieces = ReadPieces(out(), "big");
        ASSERT_EQ(pieces.size(), static_cast<std::size_t>((kept + kLinesPerPiece - 1) / kLinesPerPiece));
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const int first = static_cast<int>(i) * kLinesPerPiece + 1;
            const int count = std::min(kLinesPerPiece, kept - first + 1);
            ASSERT_EQ(pieces[i], NumberedLines(first, count, kLineWidth)) << "piece " << i + 1;
        }
    }

    TempDir dir;
};

TEST_F(StopDuringRun, AStopClickEndsTheRunSilentlyWithItsPieceClosed)
{
    QString captionWhileRunning, captionAfterStop, elapsedAfterTicks;
    bool timerOnWhileRunning = false;
    startAndThen([&] {
        captionWhileRunning = text("cmdStart");
        timerOnWhileRunning = control<QTimer>("Timer1").isActive();
        tick();
        tick();
        tick();
        elapsedAfterTicks = text("Label6");
        clickStart();
        captionAfterStop = text("cmdStart");
    });
    EXPECT_EQ(captionWhileRunning, "停止");
    EXPECT_TRUE(timerOnWhileRunning);
    EXPECT_EQ(elapsedAfterTicks, "3 秒");
    EXPECT_EQ(captionAfterStop, "开始处理");

    EXPECT_EQ(window.lastRun().outcome, RunOutcome::Stopped);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(text("cmdStart"), "开始处理");
    EXPECT_FALSE(control<QTimer>("Timer1").isActive());  // Label6 counts no further
    EXPECT_EQ(text("Label6"), "3 秒");
    auto& bar = control<QProgressBar>("prgRead");
    EXPECT_GT(bar.value(), 0);
    EXPECT_LT(bar.value(), bar.maximum());
    expectPiecesHoldExactlyTheKeptLines();
}

TEST_F(StopDuringRun, AStartClickBeforeTheStoppedRunHasReturnedIsRefused)
{
    startAndThen([&] {
        tick();
        clickStart();  // stop
        clickStart();  // start again, while the stopped split still holds its files
        EXPECT_EQ(text("cmdStart"), "开始处理");
        EXPECT_EQ(text("Label6"), "1 秒");
    });
    // A second run would have read the whole source and shown the notice.
    EXPECT_EQ(window.lastRun().outcome, RunOutcome::Stopped);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(text("Label6"), "1 秒");
    expectPiecesHoldExactlyTheKeptLines();
}

TEST_F(StopDuringRun, ClosingTheWindowStopsTheRunThenCloses)
{
    bool openWhileStopping = false;
    startAndThen([&] {
        window.close();
        openWhileStopping = window.isVisible();
    });
    EXPECT_TRUE(openWhileStopping);
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.lastRun().outcome, RunOutcome::Stopped);
    EXPECT_TRUE(messages.messages.empty());
    expectPiecesHoldExactlyTheKeptLines();
}

// A close that comes while the run is still starting (here while the folder-creation error is on
// screen), and a source that ends before the stop is seen: the run completes, yet the window is
// going away and shows no notice.
using CloseDuringRun = WindowTest;

TEST_F(CloseDuringRun, WhenTheRunStillFindsTheEndNoNoticeIsShown)
{
    TempDir dir;
    WriteFile(dir.path() + "empty.txt", "");
    WriteFile(dir.path() + "plain-file", "");
    setText("txtPath", QString::fromStdString(dir.path() + "empty.txt"));
    setText("txtSave", QString::fromStdString(dir.path() + "plain-file/sub/"));
    messages.onShow = [&](const MessageRecorder::Message&) { window.close(); };
    clickStart();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.lastRun().outcome, RunOutcome::Completed);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text.rfind("创建错误: ", 0), 0u) << messages.messages[0].text;
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace tess::testing
