// The two pickers, with their dialogs answered by the test: what the dialogs are asked, and what
// the answers put into the path boxes.

#include <string>

#include "WindowTestSupport.h"

namespace tess::testing {
namespace {

using namespace std::string_literals;

using Pickers = WindowTest;

// The file buffer as the dialog received it, up to its first NUL: the name it was asked to propose.
std::string ProposedName(const OPENFILENAME& record)
{
    const std::string buffer = record.lpstrFile.value_or(std::string());
    return buffer.substr(0, buffer.find('\0'));
}

TEST_F(Pickers, TheFileDialogAsksForOneExistingTextFileOwnedByTheWindow)
{
    click("cmdSelectFile");
    ASSERT_EQ(dialogs.fileRecords.size(), 1u);
    const OPENFILENAME& asked = dialogs.fileRecords[0];
    EXPECT_EQ(asked.lpstrFilter, "文本文件(*.TXT)\0*.txt\0\0"s);
    EXPECT_EQ(asked.nFilterIndex, 1u);
    EXPECT_EQ(asked.Flags, 4096u);
    EXPECT_EQ(asked.hwndOwner, &window);
    EXPECT_EQ(ProposedName(asked), "");
    // Left to the dialog's own defaults.
    EXPECT_FALSE(asked.lpstrTitle);
    EXPECT_FALSE(asked.lpstrInitialDir);
    EXPECT_FALSE(asked.lpstrDefExt);
}

TEST_F(Pickers, EveryFileDialogStartsAfreshWithoutTheEarlierChoice)
{
    dialogs.fileChoice = "/data/第一卷.txt";
    click("cmdSelectFile");
    dialogs.fileChoice = "/data/第二卷.txt";
    click("cmdSelectFile");
    ASSERT_EQ(dialogs.fileRecords.size(), 2u);
    EXPECT_EQ(ProposedName(dialogs.fileRecords[1]), "");
    EXPECT_EQ(dialogs.fileRecords[1].nFilterIndex, 1u);
    EXPECT_EQ(text("txtPath"), "/data/第二卷.txt");
}

TEST_F(Pickers, TheFolderChooserIsOwnedByTheWindowAndShowsThePrompt)
{
    click("cmdSelectFolder");
    ASSERT_EQ(dialogs.folderRequests.size(), 1u);
    EXPECT_EQ(dialogs.folderRequests[0].owner, &window);
    EXPECT_EQ(dialogs.folderRequests[0].prompt, "请选择一个目录用于存放分割后的文件.");
}

TEST_F(Pickers, AChosenFileGoesIntoTxtPathAndLeavesTxtSaveAlone)
{
    setText("txtSave", "/earlier/out/");
    dialogs.fileChoice = "/data/小说 全集.txt";
    click("cmdSelectFile");
    EXPECT_EQ(text("txtPath"), "/data/小说 全集.txt");
    EXPECT_EQ(text("txtSave"), "/earlier/out/");
}

TEST_F(Pickers, AChosenFolderGoesIntoTxtSaveWithOneFinalSlashAndLeavesTxtPathAlone)
{
    const std::pair<const char*, QString> choices[] = {
        {"/data/输出", "/data/输出/"},
        {"/", "/"},
        {"/data/out/", "/data/out/"},
    };
    setText("txtPath", "/earlier/book.txt");
    for (const auto& [chosen, shown] : choices) {
        dialogs.folderChoice = chosen;
        click("cmdSelectFolder");
        EXPECT_EQ(text("txtSave"), shown) << chosen;
    }
    EXPECT_EQ(text("txtPath"), "/earlier/book.txt");
}

TEST_F(Pickers, ACancelledDialogLeavesBothBoxesAsTheyWere)
{
    const auto cancelBoth = [this] {
        dialogs.fileChoice.reset();
        dialogs.folderChoice.clear();
        click("cmdSelectFile");
        click("cmdSelectFolder");
    };

    cancelBoth();
    EXPECT_EQ(text("txtPath"), "");
    EXPECT_EQ(text("txtSave"), "");

    dialogs.fileChoice = "/data/book.txt";
    dialogs.folderChoice = "/data/out";
    click("cmdSelectFile");
    click("cmdSelectFolder");
    cancelBoth();
    EXPECT_EQ(text("txtPath"), "/data/book.txt");
    EXPECT_EQ(text("txtSave"), "/data/out/");

    setText("txtPath", "/typed/book.txt");
    setText("txtSave", "/typed/out/");
    cancelBoth();
    EXPECT_EQ(text("txtPath"), "/typed/book.txt");
    EXPECT_EQ(text("txtSave"), "/typed/out/");
    EXPECT_EQ(dialogs.fileRecords.size(), 4u);
    EXPECT_EQ(dialogs.folderRequests.size(), 4u);
}

}  // namespace
}  // namespace tess::testing
