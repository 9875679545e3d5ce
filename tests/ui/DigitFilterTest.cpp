// What typing, pasting and input methods can put into the two threshold boxes.

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QDropEvent>
#include <QTest>

#include "WindowTestSupport.h"

namespace tess::testing {
namespace {

class DigitFilter : public WindowTest, public ::testing::WithParamInterface<const char*> {
protected:
    QLineEdit& box() { return control<QLineEdit>(GetParam()); }

    // A key as the X11 desktop delivers it: the key, the modifiers and the text it types.
    void press(Qt::Key key, const QString& typed, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::sendKeyEvent(QTest::Click, &box(), key, typed, modifiers);
    }

    void SetUp() override
    {
        box().setText("12");
        box().setFocus();
        box().setCursorPosition(2);
    }
};

TEST_P(DigitFilter, DigitsAndTheSpaceAreTyped)
{
    press(Qt::Key_7, "7");
    press(Qt::Key_Space, " ");
    press(Qt::Key_0, "0");
    EXPECT_EQ(box().text(), "127 0");
}

TEST_P(DigitFilter, BackspaceDeletesAndTheBoxCanBeEmptied)
{
    press(Qt::Key_Backspace, "\b");
    EXPECT_EQ(box().text(), "1");
    press(Qt::Key_Backspace, "\b");
    EXPECT_EQ(box().text(), "");
}

TEST_P(DigitFilter, LettersSignsAndPointsInsertNothing)
{
    press(Qt::Key_A, "a");
    press(Qt::Key_A, "A", Qt::ShiftModifier);
    press(Qt::Key_Minus, "-");
    press(Qt::Key_Period, ".");
    press(Qt::Key_Plus, "+", Qt::ShiftModifier);
    press(Qt::Key_E, "e");
    EXPECT_EQ(box().text(), "12");
}

TEST_P(DigitFilter, TextThatIsNotTypedGetsNoWayIn)
{
    QMimeData letters;
    letters.setText("abc");
    const QPoint middle = box().rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &letters, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box(), &enter);
    QDropEvent drop(middle, Qt::CopyAction, &letters, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box(), &drop);
    QTest::mouseClick(&box(), Qt::MiddleButton, Qt::NoModifier, middle);
    EXPECT_EQ(box().text(), "12");
    EXPECT_EQ(box().contextMenuPolicy(), Qt::NoContextMenu) << "its menu would offer Paste";
}

TEST_P(DigitFilter, FullWidthDigitsAndChineseInsertNothing)
{
    press(Qt::Key_unknown, QString::fromUtf8("７"));
    press(Qt::Key_unknown, QString::fromUtf8("中"));
    EXPECT_EQ(box().text(), "12");
}

TEST_P(DigitFilter, InputMethodTextKeepsOnlyTheAcceptedCharacters)
{
    CommitInputMethodText(box(), QString::fromUtf8("１２中文"));
    EXPECT_EQ(box().text(), "12");
    CommitInputMethodText(box(), QString::fromUtf8("3五4"));
    EXPECT_EQ(box().text(), "1234");
}

TEST_P(DigitFilter, ControlCharactersInsertNothing)
{
    press(Qt::Key_Escape, "\x1b");
    press(Qt::Key_Return, "\r");
    press(Qt::Key_A, "\x01", Qt::ControlModifier);
    EXPECT_EQ(box().text(), "12");
}

TEST_P(DigitFilter, KeyboardPasteInsertsNothing)
{
    QApplication::clipboard()->setText("34x");
    press(Qt::Key_V, "\x16", Qt::ControlModifier);
    press(Qt::Key_Insert, "", Qt::ShiftModifier);
    QApplication::clipboard()->setText("56");
    press(Qt::Key_V, "\x16", Qt::ControlModifier);
    EXPECT_EQ(box().text(), "12");
}

TEST_P(DigitFilter, KeyboardCutAndUndoDoNothing)
{
    // Whatever text the platform gives Ctrl with a letter: the control character, or none.
    for (const bool withText : {true, false}) {
        box().setText("12");
        box().selectAll();
        press(Qt::Key_X, withText ? "\x18" : "", Qt::ControlModifier);
        EXPECT_EQ(box().text(), "12");
        box().setCursorPosition(2);
        press(Qt::Key_5, "5");
        press(Qt::Key_Z, withText ? "\x1a" : "", Qt::ControlModifier);
        EXPECT_EQ(box().text(), "125");
    }
}

TEST_P(DigitFilter, KeysThatTypeNothingStillMoveAndDelete)
{
    press(Qt::Key_Home, "");
    press(Qt::Key_Delete, "\x7f");
    EXPECT_EQ(box().text(), "2");
    press(Qt::Key_End, "");
    press(Qt::Key_9, "9");
    EXPECT_EQ(box().text(), "29");
}

INSTANTIATE_TEST_SUITE_P(ThresholdBoxes, DigitFilter, ::testing::Values("txtLineCount", "txtSize"));

}  // namespace
}  // namespace tess::testing
