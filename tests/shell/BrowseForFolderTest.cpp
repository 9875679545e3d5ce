// The folder chooser the application uses, answered by the test as a user would.

#include "shell/BrowseForFolder.h"

#include <filesystem>
#include <string>

#include <QFileDialog>
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

}  // namespace
}  // namespace tess
