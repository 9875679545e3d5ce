// The pickers used while a split runs: the split waits for their dialogs and keeps the paths it
// started with; the next run takes the new ones.

#include <QCoreApplication>
#include <QProgressBar>

#include "RunningSplit.h"

namespace tess::testing {
namespace {

using PickDuringRun = RunningSplit;

TEST_F(PickDuringRun, TheSplitWaitsForTheDialogsAndTheNextRunUsesTheirChoice)
{
    WriteFile(dir.path() + "next.txt", NumberedLines(1, 5));
    dialogs.fileChoice = dir.path() + "next.txt";
    dialogs.folderChoice = dir.path() + "next";
    int dialogsSeenRunning = 0;
    dialogs.onShow = [&] {
        const int readBefore = control<QProgressBar>("prgRead").value();
        QCoreApplication::processEvents();  // the open dialog serves the event loop
        EXPECT_EQ(control<QProgressBar>("prgRead").value(), readBefore);
        EXPECT_TRUE(messages.messages.empty()) << "the run ended while a dialog was open";
        if (text("cmdStart") == "停止")
            ++dialogsSeenRunning;
    };
    startAndThen([&] {
        click("cmdSelectFile");
        click("cmdSelectFolder");
    });
    EXPECT_EQ(dialogsSeenRunning, 2);

    EXPECT_EQ(window.lastRun().outcome, RunOutcome::Completed);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "转换处理完成！");
    expectPiecesHoldTheFirstLines(kLines);
    EXPECT_FALSE(Exists(dir.path() + "next/"));
    EXPECT_EQ(text("txtPath").toStdString(), dir.path() + "next.txt");
    EXPECT_EQ(text("txtSave").toStdString(), dir.path() + "next/");

    clickStart();
    EXPECT_EQ(ReadPieces(dir.path() + "next/", "next"), std::vector<std::string>{NumberedLines(1, 5)});
}

}  // namespace
}  // namespace tess::testing
