// tessaline: the window.

#include <QApplication>

#include "ui/ChineseQtTexts.h"
#include "ui/QtMessageBox.h"
#include "ui/UrlOpener.h"
#include "ui/frmMain.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    tess::InstallChineseQtTexts(app);
    tess::QtMessageBox messages;
    tess::DesktopUrlOpener browser;
    tess::frmMain window(messages, browser);
    window.show();
    window.centerOnScreen();
    return app.exec();
}
