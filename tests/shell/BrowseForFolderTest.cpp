// The folder chooser the application uses, answered by the test as a user would.

#include "shell/BrowseForFolder.h"

#include <string>

#include <QFileDialog>
#include <QWidget>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "support/DialogAnswers.h"
#include "support/ModalAnswer.h"

namespace tess {
namespace {

using ::testing::HasSubstr;
using modBrowseForFolder::BrowseForFolder;
using testing::Accept;
using testing::AcceptExpectingMessage;
using testing::AnswerNext;

const std::string kPrompt = "请选择一个目录用于存放分割后的文件.";

class BrowseForFolderTest : public ::testing::Test {
protected:
    test::ScratchFolder folder;
    QWidget window;
};

TEST_F(BrowseForFolderTest, ReturnsTheChosenFolderWithoutAFinalSlashExceptForTheRoot) {
    folder.createFolder(QStringLiteral("输出"));
    AnswerNext<QFileDialog> chooseOutput([this](QFileDialog& shown) {
        EXPECT_EQ(shown.parentWidget(), &window);
        EXPECT_EQ(shown.windowTitle(), QString::fromStdString(kPrompt));
        EXPECT_EQ(shown.fileMode(), QFileDialog::Directory);
        EXPECT_TRUE(shown.testOption(QFileDialog::ShowDirsOnly));
        shown.setDirectory(folder.path(QStringLiteral("输出")));
        Accept(shown);
    });
    EXPECT_EQ(BrowseForFolder(&window, kPrompt), folder.bytes(QStringLiteral("输出")));

    AnswerNext<QFileDialog> chooseRoot([](QFileDialog& shown) {
        shown.setDirectory(QStringLiteral("/"));
        Accept(shown);
    });
    EXPECT_EQ(BrowseForFolder(&window, kPrompt), "/");
}

TEST_F(BrowseForFolderTest, OffersOnlyExistingFoldersAndGivesEmptyTextOnCancel) {
    folder.createFile(QStringLiteral("a.txt"));
    AnswerNext<QFileDialog> chooseMissing([this](QFileDialog& shown) {
        shown.setDirectory(folder.path());
        shown.selectFile(QStringLiteral("nosuch"));
        EXPECT_THAT(AcceptExpectingMessage(shown).toStdString(), HasSubstr("nosuch"));
        shown.reject();
    });
    EXPECT_EQ(BrowseForFolder(&window, kPrompt), "");
}

}  // namespace
}  // namespace tess
