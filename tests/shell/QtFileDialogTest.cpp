// cFileDialog with the dialog the application uses, answered by the test as a user would.

#include <filesystem>
#include <string>
#include <vector>

#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QListView>
#include <QWidget>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "shell/RaisedError.h"
#include "shell/cFileDialog.h"
#include "support/DialogAnswers.h"
#include "support/DialogPaths.h"
#include "support/ModalAnswer.h"
#include "support/TempDir.h"

namespace tess {
namespace {

using testing::Accept;
using testing::AcceptExpectingMessage;
using testing::AnswerNext;
using testing::DialogBytes;
using testing::DialogPath;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::TempDir;
using ::testing::UnorderedElementsAre;
using testing::WriteFile;

class QtFileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFile(dir.path() + "BOOK.TXT", "");
        WriteFile(dir.path() + "notes.md", "");
        ASSERT_TRUE(std::filesystem::create_directory(dir.path() + "章节"));
        WriteFile(dir.path() + "章节/第一章.txt", "");
        dialog.hWnd(&window);
        dialog.InitDir(DialogBytes(dir));
    }

    // What the shown dialog lists of the temporary folder, in its order, a folder's name ending
    // in "/"; once its file system model has read and sorted the folder, which it does on a
    // thread of its own and then on a timer. It has read it all once it lists every folder and
    // every file that its name filters match as a directory listing matches them.
    std::vector<std::string> listedIn(const QFileDialog& shown) const
    {
        const auto* files = shown.findChild<QFileSystemModel*>();
        EXPECT_NE(files, nullptr);
        if (files == nullptr)
            return {};
        const QDir folderListing(DialogPath(dir));
        const qsizetype matching =
            folderListing.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size() +
            folderListing.entryList(files->nameFilters(), QDir::Files | QDir::CaseSensitive).size();
        const QModelIndex folder = files->index(DialogPath(dir));
        for (QDeadlineTimer deadline(10000); files->rowCount(folder) < matching && !deadline.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        for (int turn = 0; turn < 3; ++turn)
            QCoreApplication::processEvents();
        std::vector<std::string> names;
        for (int row = 0; row < files->rowCount(folder); ++row) {
            const QModelIndex entry = files->index(row, 0, folder);
            names.push_back(entry.data().toString().toStdString() + (files->isDir(entry) ? "/" : ""));
        }
        return names;
    }

    // Selects the filter entry at `index` as a user does, in Qt's own box of them.
    static void chooseEntry(QFileDialog& shown, int index)
    {
        auto* box = shown.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(box, nullptr);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    // Types `text` into the dialog's name box, as a user does: once events have run, the box may
    // have the focus, and selectFile() leaves a focused box as it is.
    static void typeName(QFileDialog& shown, const QString& text)
    {
        auto* nameBox = shown.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(nameBox, nullptr);
        nameBox->setText(text);
    }

    TempDir dir;
    QWidget window;
    cFileDialog dialog;
};

TEST_F(QtFileDialogTest, OpenShowsWhatTheRecordAsksAndReturnsTheChosenFileAndFilter)
{
    dialog.Filter("Markdown|*.md|文本文件(*.TXT)|*.txt");
    dialog.FilterIndex(2);
    dialog.DialogTitle("导入文本");
    dialog.Flags(OFN_FILEMUSTEXIST);
    AnswerNext<QFileDialog> chooseChapter([this](QFileDialog& shown) {
        EXPECT_EQ(shown.parentWidget(), &window);
        EXPECT_TRUE(shown.testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(shown.acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(shown.fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(shown.windowTitle(), QStringLiteral("导入文本"));
        EXPECT_EQ(shown.directory().absolutePath(), DialogPath(dir));
        EXPECT_THAT(listedIn(shown), ElementsAre("章节/", "BOOK.TXT"));

        chooseEntry(shown, 0);
        EXPECT_THAT(listedIn(shown), ElementsAre("章节/", "notes.md"));
        typeName(shown, QStringLiteral("章节/第一章.txt"));
        Accept(shown);
    });
    dialog.ShowOpen();

    EXPECT_EQ(dialog.Filename(), DialogBytes(dir, "章节/第一章.txt"));
    EXPECT_EQ(dialog.FilterIndex(), 1);
}

// Qt's own filter syntax could carry neither the names nor the shared descriptions here.
TEST_F(QtFileDialogTest, AnyWildcardShowsItsFilesAndEntriesThatShareADescriptionStayApart)
{
    WriteFile(dir.path() + "我的书(1).txt", "");
    WriteFile(dir.path() + "run.log", "");
    dialog.Filter("我的|*我的*(1).txt|Text|*.txt|Text|*.log");
    dialog.FilterIndex(3);
    AnswerNext<QFileDialog> chooseSecondText([this](QFileDialog& shown) {
        EXPECT_THAT(listedIn(shown), ElementsAre("章节/", "run.log"));
        auto* box = shown.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->itemText(0), QStringLiteral("我的"));
        EXPECT_EQ(box->currentIndex(), 2);
        chooseEntry(shown, 0);
        EXPECT_THAT(listedIn(shown), ElementsAre("章节/", "我的书(1).txt"));
        chooseEntry(shown, 1);
        EXPECT_THAT(listedIn(shown), ElementsAre("章节/", "BOOK.TXT", "我的书(1).txt"));
        chooseEntry(shown, 2);
        typeName(shown, QStringLiteral("run.log"));
        Accept(shown);
    });
    dialog.ShowOpen();

    EXPECT_EQ(dialog.Filename(), DialogBytes(dir, "run.log"));
    EXPECT_EQ(dialog.FilterIndex(), 3);
}

TEST_F(QtFileDialogTest, CancelKeepsFilenameAndRaisesOnlyWhenAsked)
{
    const std::string proposed = DialogBytes(dir, "BOOK.TXT");
    dialog.Filename(proposed);
    const auto cancel = [this](QFileDialog& shown) {
        EXPECT_EQ(shown.selectedFiles(), QStringList{DialogPath(dir, "BOOK.TXT")});
        shown.reject();
    };

    AnswerNext<QFileDialog> cancelOpen(cancel);
    dialog.ShowOpen();
    EXPECT_EQ(dialog.Filename(), proposed);

    dialog.CancelError(true);
    AnswerNext<QFileDialog> cancelRaising(cancel);
    EXPECT_THROW(dialog.ShowOpen(), RaisedError);
    EXPECT_EQ(dialog.Filename(), proposed);
}

TEST_F(QtFileDialogTest, SaveAsksBeforeReplacingOnlyWithTheOverwritePrompt)
{
    dialog.DefaultExt("txt");
    dialog.Flags(OFN_OVERWRITEPROMPT);
    AnswerNext<QFileDialog> declineReplacing([](QFileDialog& shown) {
        EXPECT_EQ(shown.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(shown.fileMode(), QFileDialog::AnyFile);
        shown.selectFile(QStringLiteral("BOOK.TXT"));
        EXPECT_THAT(AcceptExpectingMessage(shown).toStdString(), HasSubstr("BOOK.TXT"));
        shown.selectFile(QStringLiteral("草稿"));
        Accept(shown);
    });
    dialog.ShowSave();
    EXPECT_EQ(dialog.Filename(), DialogBytes(dir, "草稿.txt"));

    dialog.Flags(0);
    AnswerNext<QFileDialog> saveOverExisting([](QFileDialog& shown) {
        shown.selectFile(QStringLiteral("BOOK.TXT"));
        Accept(shown);
    });
    dialog.ShowSave();
    EXPECT_EQ(dialog.Filename(), DialogBytes(dir, "BOOK.TXT"));
}

TEST_F(QtFileDialogTest, ChoosingAnotherEntryLeavesTheTypedNameAsItIs)
{
    dialog.Filter("Markdown|*.md|Text|*.txt");
    AnswerNext<QFileDialog> saveAfterChoosingText([](QFileDialog& shown) {
        shown.selectFile(QStringLiteral("book.md"));
        chooseEntry(shown, 1);
        Accept(shown);
    });
    dialog.ShowSave();
    EXPECT_EQ(dialog.Filename(), DialogBytes(dir, "book.md"));
    EXPECT_EQ(dialog.FilterIndex(), 2);
}

TEST_F(QtFileDialogTest, FileAndPathMustExistRefuseMissingNamesThatAreOtherwiseReturned)
{
    dialog.Flags(OFN_FILEMUSTEXIST);
    AnswerNext<QFileDialog> openMissing([](QFileDialog& shown) {
        shown.selectFile(QStringLiteral("missing.txt"));
        EXPECT_THAT(AcceptExpectingMessage(shown).toStdString(), HasSubstr("missing.txt"));
        shown.reject();
    });
    dialog.ShowOpen();
    EXPECT_EQ(dialog.Filename(), "");

    dialog.Flags(OFN_PATHMUSTEXIST);
    AnswerNext<QFileDialog> saveInMissingFolder([](QFileDialog& shown) {
        shown.selectFile(QStringLiteral("nowhere/new.txt"));
        EXPECT_THAT(AcceptExpectingMessage(shown).toStdString(), HasSubstr("nowhere"));
        shown.selectFile(QStringLiteral("new.txt"));
        Accept(shown);
    });
    dialog.ShowSave();
    EXPECT_EQ(dialog.Filename(), DialogBytes(dir, "new.txt"));

    dialog.Flags(0);
    AnswerNext<QFileDialog> openInMissingFolder([](QFileDialog& shown) {
        shown.selectFile(QStringLiteral("nowhere/new.txt"));
        Accept(shown);
    });
    dialog.ShowOpen();
    EXPECT_EQ(dialog.Filename(), DialogBytes(dir, "nowhere/new.txt"));
}

// A name typed after one chosen in the list adds to it, with the name box in the focus as a
// user's typing has it: the list's selection follows the box.
TEST_F(QtFileDialogTest, MultipleSelectionReturnsTheFolderAndTheNames)
{
    dialog.Filter("All|*.*|Text|*.txt");
    dialog.Flags(static_cast<std::int32_t>(OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST));
    AnswerNext<QFileDialog> chooseTwo([this](QFileDialog& shown) {
        EXPECT_EQ(shown.fileMode(), QFileDialog::ExistingFiles);
        EXPECT_THAT(listedIn(shown), ElementsAre("章节/", "BOOK.TXT", "notes.md"));
        auto* list = shown.findChild<QListView*>(QStringLiteral("listView"));
        auto* nameBox = shown.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(list, nullptr);
        ASSERT_NE(nameBox, nullptr);
        const QModelIndexList book = list->model()->match(list->model()->index(0, 0, list->rootIndex()),
                                                          Qt::DisplayRole, QStringLiteral("BOOK.TXT"));
        ASSERT_EQ(book.size(), 1);
        list->selectionModel()->select(book.front(), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        shown.activateWindow();
        nameBox->setFocus();
        for (QDeadlineTimer deadline(5000); !nameBox->hasFocus() && !deadline.hasExpired();)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(nameBox->hasFocus());
        // Several names are typed into the name box, each in quotes.
        typeName(shown, QStringLiteral("\"BOOK.TXT\" \"notes.md\""));
        Accept(shown);
    });
    dialog.ShowOpen();

    std::string folderChosen;
    std::vector<std::string> names;
    std::int32_t count = 0;
    dialog.ParseMultiFileName(folderChosen, names, count);
    EXPECT_EQ(folderChosen, DialogBytes(dir));
    EXPECT_THAT(names, UnorderedElementsAre("BOOK.TXT", "notes.md"));
    EXPECT_EQ(count, 2);
}

}  // namespace
}  // namespace tess
