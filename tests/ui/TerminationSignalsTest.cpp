// A termination signal while a box waits for an answer, as the completion notice does after a
// run: the box closes unanswered and the window with it, rather than the program waiting.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <csignal>

#include <gtest/gtest.h>

#include "ui/QtMessageBox.h"
#include "ui/TerminationSignals.h"

namespace tess::testing {
namespace {

TEST(TerminationSignals, CloseTheBoxOnScreenThenTheWindow)
{
    QWidget window;
    window.show();
    CloseOnTerminationSignals(window);
    bool unanswered = false;
    QTimer signal, nobodyCame;
    signal.setSingleShot(true);
    nobodyCame.setSingleShot(true);
    QObject::connect(&signal, &QTimer::timeout, [] { std::raise(SIGTERM); });
    QObject::connect(&nobodyCame, &QTimer::timeout, [&] {  // only a box the signal left open
        unanswered = true;
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    signal.start(0);
    nobodyCame.start(10000);
    QtMessageBox messages;
    messages.setOwner(&window);
    messages.showMessage("转换处理完成！", MessageStyle::Information, "");
    EXPECT_FALSE(unanswered) << "the box stayed on screen after the signal";
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace tess::testing
