#include <QApplication>

#include <gtest/gtest.h>

#include "ui/SystemColor.h"

namespace tess {
namespace {

TEST(ColorFromValue, FixedColoursAreBlueGreenRed)
{
    const QPalette palette;
    EXPECT_EQ(ColorFromValue(0x000000FF, palette), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromValue(0x00FF0000, palette), QColor(0, 0, 255));
    EXPECT_EQ(ColorFromValue(0x00ACD0D7, palette), QColor(215, 208, 172));
}

TEST(ColorFromValue, SystemColoursComeFromThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(4, 5, 6));
    EXPECT_EQ(ColorFromValue(kButtonFace, palette), QColor(1, 2, 3));
    EXPECT_EQ(ColorFromValue(kGrayText, palette), QColor(4, 5, 6));
}

TEST(ColorFromValue, AnIndexThatNamesNoSystemColourIsBlack)
{
    QPalette palette(QColor(200, 200, 200));
    EXPECT_EQ(ColorFromValue(kSystemColorFlag | 99, palette), QColor(0, 0, 0));
}

}  // namespace
}  // namespace tess
