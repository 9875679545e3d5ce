// The whole tool as a person uses it, with the real dialogs and message box answered on screen:
// pick a GBK text file, create the destination folder in the folder chooser, choose size mode,
// start, dismiss the notice, and find the pieces.

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "GbkBook.h"
#include "WindowTestSupport.h"
#include "support/DialogAnswers.h"
#include "support/ModalAnswer.h"
#include "support/TempDir.h"
#include "ui/QtMessageBox.h"

namespace tess::testing {
namespace {

constexpr int kBookLines = 4000;
constexpr int kPieceThousands = 2;  // typed into txtSize, which counts thousands of characters

// The file dialog's accept button: "Open", or "Choose" in a folder chooser.
void PressAccept(QFileDialog& dialog)
{
    Child<QDialogButtonBox>(dialog, "buttonBox").button(QDialogButtonBox::Open)->click();
}

// Creates `name` in the folder the chooser shows, as its new-folder button does: a folder under a
// provisional name, renamed in place.
void CreateFolderThere(QFileDialog& chooser, const QString& name)
{
    Child<QToolButton>(chooser, "newFolderButton").click();
    QLineEdit* editor = NameEditor(chooser);
    ASSERT_NE(editor, nullptr) << "the new folder's name is not open for editing";
    CommitInputMethodText(*editor, name);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the list renames the folder once the key has been handled
}

class EndToEnd : public WindowTest {
protected:
    EndToEnd() : WindowTest(shownBoxes, PickerDialogs{}) {}

    void pickSource(const std::string& path)
    {
        AnswerNext<QFileDialog> answer([&](QFileDialog& dialog) {
            CommitInputMethodText(Child<QLineEdit>(dialog, "fileNameEdit"), QString::fromStdString(path));
            PressAccept(dialog);
        });
        click("cmdSelectFile");
    }

    void pickNewFolder(const std::string& parent, const QString& name)
    {
        AnswerNext<QFileDialog> answer([&](QFileDialog& chooser) {
            chooser.setDirectory(QString::fromStdString(parent));  // where a person would browse to
            CreateFolderThere(chooser, name);
            PressAccept(chooser);
        });
        click("cmdSelectFolder");
    }

    void typeSize(const QString& digits)
    {
        auto& box = control<QLineEdit>("txtSize");
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_End);
        for (qsizetype left = box.text().size(); left > 0; --left)
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_Backspace, "\b", Qt::NoModifier);
        for (QChar digit : digits)
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key(digit.unicode()), digit, Qt::NoModifier);
    }

    // Starts the run and dismisses the box it ends with; returns the box's title and text.
    std::pair<QString, QString> startAndDismissTheNotice()
    {
        std::pair<QString, QString> notice;
        AnswerNext<QMessageBox> answer([&](QMessageBox& box) {
            notice = {box.windowTitle(), box.text()};
            box.button(QMessageBox::Ok)->click();
        });
        clickStart();
        return notice;
    }

    inline static QtMessageBox shownBoxes;
    TempDir dir;
};

TEST_F(EndToEnd, APickedGbkFileSplitBySizeIntoAFolderMadeInTheChooser)
{
    const GbkBook book = MakeGbkBook(kBookLines);
    const std::string source = dir.path() + "长篇小说.txt";
    WriteFile(source, book.bytes);
    const std::string destination = dir.path() + "分割结果/";

    pickSource(source);
    EXPECT_EQ(text("txtPath").toStdString(), source);
    ASSERT_FALSE(Exists(destination));
    pickNewFolder(dir.path(), "分割结果");
    EXPECT_EQ(text("txtSave").toStdString(), destination);
    control<QRadioButton>("Option2").click();
    typeSize(QString::number(kPieceThousands));

    const auto [title, notice] = startAndDismissTheNotice();
    EXPECT_EQ(title, "提示");
    EXPECT_EQ(notice, "转换处理完成！");
    const std::vector<std::string> expected = PiecesBySize(book, kPieceThousands * 1000);
    const std::vector<std::string> pieces = ReadPieces(destination, "长篇小说");
    ASSERT_EQ(pieces.size(), expected.size());
    for (std::size_t i = 0; i < pieces.size(); ++i)
        EXPECT_EQ(pieces[i], expected[i]) << "piece " << i + 1;
}

}  // namespace
}  // namespace tess::testing
