#include "ui/Art.h"

#include <QPixmap>
#include <QString>

// The images are compiled into the library; a static library must register its resources itself,
// once. Outside any namespace, as the macro requires.
static int RegisterArt()
{
    Q_INIT_RESOURCE(tessaline);
    return 0;
}

static void LoadArt()
{
    static const int registered = RegisterArt();
    (void)registered;
}

namespace tess {

QIcon ProgramIcon()
{
    LoadArt();
    QIcon icon;
    for (const int size : {48, 32, 24, 16})
        icon.addFile(QString(":/art/tessaline-%1.png").arg(size), QSize(size, size));
    return icon;
}

QCursor PointingHandCursor()
{
    LoadArt();
    return QCursor(QPixmap(":/art/pointing-hand.png"), kPointingHandHotSpot.x(), kPointingHandHotSpot.y());
}

}  // namespace tess
