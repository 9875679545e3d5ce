#pragma once

#include <QCursor>
#include <QIcon>
#include <QPoint>

namespace tess {

// The pointing hand's fingertip in its 32 x 32 image.
inline constexpr QPoint kPointingHandHotSpot{12, 4};

// The program's icon: its 48, 32, 24 and 16 pixel images.
QIcon ProgramIcon();

// The link label's pointer: the monochrome pointing hand, its hot spot on the fingertip.
QCursor PointingHandCursor();

}  // namespace tess
