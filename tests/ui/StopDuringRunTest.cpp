// Real runs on a generated source large enough to be caught in the middle: a stop click, a start
// click while stopping, closing the window, and the source growing, each while the split runs.

#include <QCoreApplication>
#include <QProgressBar>
#include <QTimer>

#include <csignal>
#include <fstream>

#include <sys/stat.h>

#include "RunningSplit.h"
#include "ui/TerminationSignals.h"
#include "support/TempDir.h"

namespace tess::testing {
namespace {

class StopDuringRun : public RunningSplit {
protected:
    // Every line the run kept is in its piece, whole and in order, and nothing else is.
    void expectPiecesHoldExactlyTheKeptLines()
    {
        const auto kept = static_cast<int>(window.lastRun().progress.linesKept);
        ASSERT_GT(kept, 0);
        ASSERT_LT(kept, kLines) << "the run was not stopped midway";
        expectPiecesHoldTheFirstLines(kept);
    }
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

TEST_F(StopDuringRun, ATerminationSignalClosesTheWindowAsTheUserWouldKeepingEveryLineRead)
{
    CloseOnTerminationSignals(window);
    startAndThen([] { std::raise(SIGTERM); });
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.lastRun().outcome, RunOutcome::Stopped);
    EXPECT_TRUE(messages.messages.empty());
    expectPiecesHoldExactlyTheKeptLines();
}

// A source that grows while it is read, as a log does: the run reads past the size it had.
using GrowingSourceRun = RunningSplit;

TEST_F(GrowingSourceRun, TheBarIsFullOnceTheSizeItHadIsRead)
{
    int fullWhileRunning = 0;
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
        auto& bar = control<QProgressBar>("prgRead");
        fullWhileRunning += text("cmdStart") == "停止" && bar.value() == bar.maximum();
    });
    during.start(0);
    startAndThen([&] {
        std::ofstream source(dir.path() + kBase + ".txt", std::ios::binary | std::ios::app);
        source << NumberedLines(kLines + 1, (32 << 20) / kLineWidth, kLineWidth);
    });
    EXPECT_EQ(window.lastRun().outcome, RunOutcome::Completed);
    EXPECT_GT(window.lastRun().progress.bytesRead, window.lastRun().progress.sourceBytes);
    EXPECT_GT(fullWhileRunning, 0) << "the bar was never full while the grown part was read";
    auto& bar = control<QProgressBar>("prgRead");
    EXPECT_EQ(bar.value(), bar.maximum());
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

// A FIFO that no program writes to yet keeps the run waiting, not the window: its events go on,
// and a stop click ends the run.
using WaitingRun = WindowTest;

TEST_F(WaitingRun, AStopClickEndsARunWaitingForAFifosWriter)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir.path() + "fifo.txt").c_str(), 0600), 0);
    setText("txtPath", QString::fromStdString(dir.path() + "fifo.txt"));
    setText("txtSave", QString::fromStdString(dir.path() + "out/"));
    int passes = 0;
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
        if (++passes == 3)
            clickStart();  // stop
    });
    during.start(0);
    clickStart();
    EXPECT_EQ(passes, 3);
    EXPECT_EQ(window.lastRun().outcome, RunOutcome::Stopped);
    EXPECT_EQ(text("cmdStart"), "开始处理");
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace tess::testing
