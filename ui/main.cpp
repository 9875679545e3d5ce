// tessaline: the window.

#include <csignal>

#include <QApplication>

#include "ui/ChineseQtTexts.h"
#include "ui/QtMessageBox.h"
#include "ui/TerminationSignals.h"
#include "ui/UrlOpener.h"
#include "ui/frmMain.h"

int main(int argc, char** argv)
{
    // A piece that reaches the file-size limit must fail its write and be reported in a box,
    // not end the program with every unsaved line.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    tess::InstallChineseQtTexts(app);
    tess::QtMessageBox messages;
    tess::DesktopUrlOpener browser;
    tess::frmMain window(messages, browser);
    messages.setOwner(&window);
    tess::CloseOnTerminationSignals(window);
    window.show();
    window.centerOnScreen();
    return app.exec();
}
