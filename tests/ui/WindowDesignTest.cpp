// The window as it opens: captions, initial values, geometry, focus order and the look of the
// controls that carry more than a caption.

#include <QApplication>
#include <QBitmap>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "WindowTestSupport.h"
#include "ui/Art.h"
#include "ui/Maker.h"
#include "ui/iFrame.h"

namespace tess::testing {
namespace {

using WindowDesign = WindowTest;

TEST_F(WindowDesign, CaptionsAndTextsAreTheQuotedOnes)
{
    EXPECT_EQ(window.windowTitle(), QString("Tessaline  By ") + kMakerDomain);
    const std::pair<const char*, QString> expected[] = {
        {"cmdSelectFile", "导入文件"},
        {"cmdStart", "开始处理"},
        {"cmdSelectFolder", "保存目录"},
        {"Option1", "按行数分割"},
        {"Label1", "每个文件行数："},
        {"Option2", "按大小分割"},
        {"Label2", "每个文件大小："},
        {"Label3", "KB"},
        {"Label12", "本软件处理文件大小无上限，速度快效率高！欢迎大家使用！"},
        {"Label14", "按大小分割时为了保证文件的可读性实际上是按行+大小进行分割，所以分割出来的文件会比设定的稍大或稍小几KB"},
        {"Label4", "小知识："},
        {"Label8", "1 TB = 1024 GB"},
        {"Label9", "1 GB = 1024 MB"},
        {"Label10", "1 MB = 1024 KB"},
        {"Label11", "1 KB = 1024 Bytes"},
        {"Label5", "已用时："},
        {"Label6", "0 秒"},
        {"Label13", QString("Corvel软件 ") + kMakerHost},
    };
    for (const auto& [name, caption] : expected)
        EXPECT_EQ(text(name), caption) << name;
}

TEST_F(WindowDesign, StartsIdleWithTheDefaultThresholdsAndLineMode)
{
    EXPECT_EQ(text("txtPath"), "");
    EXPECT_EQ(text("txtSave"), "");
    EXPECT_EQ(text("txtLineCount"), "3000");
    EXPECT_EQ(text("txtSize"), "1024");
    EXPECT_TRUE(control<QRadioButton>("Option1").isChecked());
    EXPECT_FALSE(control<QRadioButton>("Option2").isChecked());
    auto& timer = control<QTimer>("Timer1");
    EXPECT_EQ(timer.interval(), 1000);
    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(control<QProgressBar>("prgRead").value(), 0);
    EXPECT_FALSE(control<QProgressBar>("prgRead").isTextVisible());
}

TEST_F(WindowDesign, TheTwoModesFormOneGroup)
{
    control<QRadioButton>("Option2").click();
    EXPECT_FALSE(control<QRadioButton>("Option1").isChecked());
    control<QRadioButton>("Option1").click();
    EXPECT_FALSE(control<QRadioButton>("Option2").isChecked());
}

struct Placement {
    const char* name;
    const char* container;
    int left, top, width, height;  // twips
};

// Fixed-size controls take their place and size exactly.
constexpr Placement kFixed[] = {
    {"iFrame3", "frmMain", 120, 120, 8295, 975},
    {"iFrame1", "frmMain", 120, 1200, 8295, 375},
    {"iFrame4", "frmMain", 120, 1680, 8295, 2415},
    {"iFrame5", "frmMain", 120, 4200, 8295, 495},
    {"txtPath", "iFrame3", 120, 120, 5775, 270},
    {"cmdSelectFile", "iFrame3", 6000, 60, 975, 375},
    {"cmdStart", "iFrame3", 7080, 60, 1095, 855},
    {"txtSave", "frmMain", 240, 720, 5775, 270},
    {"cmdSelectFolder", "frmMain", 6120, 660, 975, 375},
    {"Option1", "iFrame1", 120, 100, 1215, 200},
    {"txtLineCount", "iFrame1", 2760, 60, 975, 270},
    {"Option2", "iFrame1", 4200, 100, 1215, 200},
    {"txtSize", "iFrame1", 6840, 60, 975, 270},
    {"Label14", "iFrame4", 360, 550, 7695, 375},
    {"prgRead", "iFrame5", 2040, 195, 3600, 120},
};

// Auto-sized labels keep their top-left corner and fit their text.
constexpr Placement kAutoSized[] = {
    {"Label1", "iFrame1", 1440, 100, 1260, 180},  {"Label2", "iFrame1", 5520, 105, 1260, 180},
    {"Label3", "iFrame1", 7920, 120, 180, 180},   {"Label12", "iFrame4", 360, 240, 4860, 180},
    {"Label4", "iFrame4", 360, 1100, 720, 180},   {"Label8", "iFrame4", 1080, 1320, 1260, 180},
    {"Label9", "iFrame4", 1080, 1560, 1260, 180}, {"Label10", "iFrame4", 1080, 1800, 1260, 180},
    {"Label11", "iFrame4", 1080, 2040, 1530, 180}, {"Label5", "iFrame5", 120, 160, 720, 180},
    {"Label6", "iFrame5", 840, 165, 360, 180},    {"Label13", "iFrame5", 5880, 160, 2340, 180},
};

TEST_F(WindowDesign, EveryControlSitsInItsContainerAtItsPlace)
{
    EXPECT_EQ(window.size(), QSize(Pixels(8520), Pixels(4800)));
    for (const Placement& p : kFixed) {
        auto& widget = control<QWidget>(p.name);
        EXPECT_EQ(widget.parentWidget()->objectName(), p.container) << p.name;
        EXPECT_EQ(widget.geometry(), QRect(Pixels(p.left), Pixels(p.top), Pixels(p.width), Pixels(p.height)))
            << p.name;
    }
    for (const Placement& p : kAutoSized) {
        auto& label = control<QLabel>(p.name);
        EXPECT_EQ(label.parentWidget()->objectName(), p.container) << p.name;
        EXPECT_EQ(label.pos(), QPoint(Pixels(p.left), Pixels(p.top))) << p.name;
        EXPECT_EQ(label.size(), label.sizeHint()) << p.name;
    }
}

// The link's text, host name included, ends where the design ends the label: inside the strip.
TEST_F(WindowDesign, TheLinkTextFitsTheWidthItIsDrawnFor)
{
    auto& link = control<QLabel>("Label13");
    EXPECT_LE(link.x() + link.width(), Pixels(5880 + 2340));
}

TEST_F(WindowDesign, TheDestinationRowIsDrawnAboveTheTopBox)
{
    for (const char* name : {"txtSave", "cmdSelectFolder"}) {
        auto& widget = control<QWidget>(name);
        EXPECT_EQ(window.childAt(widget.geometry().center()), &widget) << name;
    }
}

TEST_F(WindowDesign, Label6GrowsToTheRightFromItsLeftEdge)
{
    auto& label = control<QLabel>("Label6");
    const int left = label.x();
    const int width = label.width();
    for (int i = 0; i < 12; ++i)
        tick();
    EXPECT_EQ(label.text(), "12 秒");
    EXPECT_EQ(label.x(), left);
    EXPECT_GT(label.width(), width);
    EXPECT_EQ(label.size(), label.sizeHint());
}

TEST_F(WindowDesign, IsFixedInSizeAndCentredOnItsScreen)
{
    EXPECT_EQ(window.minimumSize(), window.size());
    EXPECT_EQ(window.maximumSize(), window.size());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    window.centerOnScreen();
    const QPoint offset = window.frameGeometry().center() - window.screen()->availableGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 1);
}

TEST_F(WindowDesign, FocusStartsOnImportAndTabFollowsTheOrder)
{
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "cmdSelectFile");
    const char* order[] = {"cmdStart", "txtPath", "txtLineCount", "Option1",
                           "txtSize", "cmdSelectFolder", "txtSave", "cmdSelectFile"};
    for (const char* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), next);
    }
}

// No button is the window's default, yet Enter presses the button that has the focus, as a
// keyboard user expects of a push button.
TEST_F(WindowDesign, LabelsNeverTakeTheFocusAndNoButtonIsDefaultButEnterPressesTheFocusedOne)
{
    for (QLabel* label : window.findChildren<QLabel*>())
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus) << label->objectName().toStdString();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    control<QLineEdit>("txtLineCount").setFocus();
    for (QPushButton* button : window.findChildren<QPushButton*>())
        EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
    auto& start = control<QPushButton>("cmdStart");
    start.setFocus();
    QTest::keyClick(&start, Qt::Key_Return);
    ASSERT_EQ(messages.messages.size(), 1u);  // the start click's: no source chosen
    EXPECT_EQ(text("cmdStart"), "开始处理");
}

TEST_F(WindowDesign, PathBoxesAreReadOnlyOnTheGreyTextColour)
{
    const QColor greyText = QApplication::palette().color(QPalette::Disabled, QPalette::Text);
    for (const char* name : {"txtPath", "txtSave"}) {
        auto& box = control<QLineEdit>(name);
        EXPECT_TRUE(box.isReadOnly()) << name;
        EXPECT_EQ(box.palette().color(QPalette::Base), greyText) << name;
        box.setFocus();
        QTest::keyClicks(&box, "abc");
        EXPECT_EQ(box.text(), "") << name;
    }
    for (const char* name : {"txtLineCount", "txtSize"})
        EXPECT_FALSE(control<QLineEdit>(name).isReadOnly()) << name;
}

TEST_F(WindowDesign, TheFramesAreButtonFaceAndStoreNoBackColor)
{
    EXPECT_FALSE(window.design().changed());
    window.design().store();
    for (const char* name : {"iFrame1", "iFrame3", "iFrame4", "iFrame5"}) {
        EXPECT_EQ(control<iFrame>(name).BackColor(), iFrame::kDefaultBackColor) << name;
        EXPECT_FALSE(window.design().instance(name).contains(iFrame::kBackColorKey)) << name;
    }
    EXPECT_EQ(window.findChild<QWidget*>("iFrame2"), nullptr);
}

TEST_F(WindowDesign, TheLinkIsRedWithAPointingHandOnTheFingertip)
{
    auto& link = control<QLabel>("Label13");
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(255, 0, 0));
    const QCursor cursor = link.cursor();
    ASSERT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(12, 4));

    const QImage hand = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(hand.size(), QSize(32, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = hand.pixel(x, y);
            const bool monochrome = qAlpha(pixel) == 0 || pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255);
            ASSERT_TRUE(monochrome) << x << "," << y;
        }
    // The hot spot is the top of the finger: opaque, with nothing above it.
    EXPECT_EQ(qAlpha(hand.pixel(12, 4)), 255);
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(qAlpha(hand.pixel(12, y)), 0) << y;
}

TEST_F(WindowDesign, TheIconHasItsFourSizes)
{
    const QList<QSize> sizes = window.windowIcon().availableSizes();
    for (const int size : {48, 32, 24, 16})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

}  // namespace
}  // namespace tess::testing
