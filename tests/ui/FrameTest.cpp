// The group frame control: surface, outline, children and its stored BackColor.

#include <QImage>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include "ui/FormDesign.h"
#include "ui/OutlineShape.h"
#include "ui/SystemColor.h"
#include "ui/iFrame.h"

namespace tess {
namespace {

const QColor kOutline(215, 208, 172);

class Frame : public ::testing::Test {
protected:
    Frame()
    {
        frame.setObjectName("iFrame1");
        frame.resize(553, 25);
        frame.show();
    }
    QImage picture() { return frame.grab().toImage(); }
    QColor surfaceColour() { return ColorFromValue(iFrame::kDefaultBackColor, frame.palette()); }

    iFrame frame;
};

TEST_F(Frame, OutlinesItsEdgesOverTheButtonFace)
{
    const QImage image = picture();
    const int right = frame.width() - 1, bottom = frame.height() - 1;
    for (const QPoint edge : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom),
                              QPoint(200, 0), QPoint(200, bottom), QPoint(0, 12), QPoint(right, 12)})
        EXPECT_EQ(image.pixelColor(edge), kOutline) << edge.x() << "," << edge.y();
    EXPECT_EQ(image.pixelColor(1, 1), surfaceColour());
    EXPECT_EQ(image.pixelColor(200, 12), surfaceColour());
}

TEST_F(Frame, TheOutlineFollowsEveryResize)
{
    frame.resize(553, 65);
    EXPECT_EQ(frame.border().geometry(), QRect(0, 0, 553, 65));
    const QImage image = picture();
    EXPECT_EQ(image.pixelColor(200, 64), kOutline);  // the new bottom edge
    EXPECT_EQ(image.pixelColor(200, 24), surfaceColour());  // the old one is surface now
    EXPECT_EQ(image.pixelColor(552, 40), kOutline);
}

TEST_F(Frame, ControlsOnItSitRelativeToItAndAboveTheOutline)
{
    QWidget child(&frame);
    child.setAutoFillBackground(true);
    QPalette green = child.palette();
    green.setColor(QPalette::Window, Qt::green);
    child.setPalette(green);
    child.setGeometry(0, 0, 8, 8);
    child.show();
    EXPECT_EQ(picture().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(child.mapTo(&frame, QPoint(0, 0)), QPoint(0, 0));
    frame.hide();
    EXPECT_FALSE(child.isVisible());
}

TEST_F(Frame, ANewBackColorPaintsTheSurfaceAndReportsTheChange)
{
    QSignalSpy changes(&frame, &iFrame::propertyChanged);
    frame.setBackColor(0x000000FF);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toString(), "BackColor");
    const QImage image = picture();
    EXPECT_EQ(image.pixelColor(100, 12), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(0, 12), kOutline);
}

TEST_F(Frame, BackColorIsStoredOnlyWhenItIsNotTheDefault)
{
    PropertyStore design;
    frame.WriteProperties(design);
    EXPECT_FALSE(design.contains("BackColor"));

    frame.setBackColor(0x000000FF);
    frame.WriteProperties(design);
    EXPECT_EQ(static_cast<std::uint32_t>(design.read("BackColor", 0)), 0x000000FFu);

    frame.setBackColor(iFrame::kDefaultBackColor);
    frame.WriteProperties(design);
    EXPECT_FALSE(design.contains("BackColor"));
}

TEST_F(Frame, LoadingTakesTheStoredValueOrTheDefaultWithoutReportingAChange)
{
    QSignalSpy changes(&frame, &iFrame::propertyChanged);
    PropertyStore design;
    design.write("BackColor", 0x00FF0000, static_cast<std::int32_t>(iFrame::kDefaultBackColor));
    frame.ReadProperties(design);
    EXPECT_EQ(frame.BackColor(), 0x00FF0000u);
    EXPECT_EQ(picture().pixelColor(100, 12), QColor(0, 0, 255));

    frame.ReadProperties(PropertyStore());
    EXPECT_EQ(frame.BackColor(), iFrame::kDefaultBackColor);
    EXPECT_EQ(changes.count(), 0);
}

TEST(FormDesignOfFrames, AChangedFrameMarksTheDesignUntilItIsStored)
{
    PropertyStore red;
    red.write("BackColor", 0x000000FF, static_cast<std::int32_t>(iFrame::kDefaultBackColor));
    FormDesign design({{"iFrame3", red}});
    iFrame stored, plain;
    stored.setObjectName("iFrame3");
    plain.setObjectName("iFrame4");
    design.attach({&stored, &plain});
    EXPECT_EQ(stored.BackColor(), 0x000000FFu);
    EXPECT_EQ(plain.BackColor(), iFrame::kDefaultBackColor);
    EXPECT_FALSE(design.changed());

    stored.setBackColor(iFrame::kDefaultBackColor);
    plain.setBackColor(0x0000FF00);
    EXPECT_TRUE(design.changed());
    design.store();
    EXPECT_FALSE(design.changed());
    EXPECT_FALSE(design.instance("iFrame3").contains("BackColor"));
    EXPECT_EQ(static_cast<std::uint32_t>(design.instance("iFrame4").read("BackColor", 0)), 0x0000FF00u);
}

}  // namespace
}  // namespace tess
