// tessaline-render OUT.png: draws the window as it opens into a PNG file, without a display, so
// that the window can be looked at where there is no desktop.

#include <cstdio>

#include <QApplication>
#include <QPixmap>

#include "ui/QtMessageBox.h"
#include "ui/UrlOpener.h"
#include "ui/frmMain.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tessaline-render OUT.png\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tess::QtMessageBox messages;
    tess::DesktopUrlOpener browser;
    tess::frmMain window(messages, browser);
    window.show();
    const QPixmap image = window.grab();
    if (!image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "tessaline-render: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
