// The folder chooser the application uses, answered by the test as a user would.

#include "shell/BrowseForFolder.h"

#include <filesystem>
#include <string>

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <QToolButton>
#include <QWidget>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/DialogAnswers.h"
#include "support/DialogPaths.h"
#include "support/ModalAnswer.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using modBrowseForFolder::BrowseForFolder;
using testing::Accept;
using testing::AcceptExpectingMessage;
using testing::AnswerNext;
using testing::DialogBytes;
using testing::DialogPath;
using testing::NameEditor;
using ::testing::HasSubstr;
using testing::TempDir;
using testing::WriteFile;

const std::string kPrompt = "请选择一个目录用于存放分割后的文件.";

class BrowseForFolderTest : public ::testing::Test {
protected:
    TempDir dir;
    QWidget window;
};

TEST_F(BrowseForFolderTest, ReturnsTheChosenFolderWithoutAFinalSlashExceptForTheRoot)
{
    ASSERT_TRUE(std::filesystem::create_directory(dir.path() + "输出"));
    AnswerNext<QFileDialog> chooseOutput([this](QFileDialog& shown) {
        EXPECT_EQ(shown.parentWidget(), &window);
        EXPECT_EQ(shown.windowTitle(), QString::fromStdString(kPrompt));
        EXPECT_EQ(shown.fileMode(), QFileDialog::Directory);
        EXPECT_TRUE(shown.testOption(QFileDialog::ShowDirsOnly));
        shown.setDirectory(DialogPath(dir, "输出"));
        Accept(shown);
    });
    EXPECT_EQ(BrowseForFolder(&window, kPrompt), DialogBytes(dir, "输出"));

    AnswerNext<QFileDialog> chooseRoot([](QFileDialog& shown) {
        shown.setDirectory(QStringLiteral("/"));
        Accept(shown);
    });
    EXPECT_EQ(BrowseForFolder(&window, kPrompt), "/");
}

TEST_F(BrowseForFolderTest, OffersOnlyExistingFoldersAndGivesEmptyTextOnCancel)
{
    WriteFile(dir.path() + "a.txt", "");
    AnswerNext<QFileDialog> chooseMissing([this](QFileDialog& shown) {
        shown.setDirectory(DialogPath(dir));
        shown.selectFile(QStringLiteral("nosuch"));
        EXPECT_THAT(AcceptExpectingMessage(shown).toStdString(), HasSubstr("nosuch"));
        shown.reject();
    });
    EXPECT_EQ(BrowseForFolder(&window, kPrompt), "");
}

// Qt's dialogs share their settings across programs. Left in list view, they keep a new folder
// under its provisional name when its name is ended with Return.
TEST_F(BrowseForFolderTest, ANewFolderTakesTheNameTypedWhateverViewADialogWasLastLeftIn)
{
    QSettings(QSettings::UserScope, QStringLiteral("QtProject"))
        .setValue(QStringLiteral("FileDialog/viewMode"), QStringLiteral("List"));
    AnswerNext<QFileDialog> makeFolder([this](QFileDialog& shown) {
        shown.setDirectory(DialogPath(dir));
        auto* newFolder = shown.findChild<QToolButton*>(QStringLiteral("newFolderButton"));
        ASSERT_NE(newFolder, nullptr);
        newFolder->click();
        QLineEdit* editor = NameEditor(shown);
        ASSERT_NE(editor, nullptr) << "the new folder's name is not open for editing";
        editor->setText(QStringLiteral("分割结果"));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(editor, &press);
        QCoreApplication::processEvents();  // the list renames the folder once the key has been handled
        EXPECT_EQ(shown.viewMode(), QFileDialog::Detail);
        shown.reject();
    });
    BrowseForFolder(&window, kPrompt);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() + "分割结果"));
}

}  // namespace
}  // namespace tess
