// A termination signal while a box waits for an answer, as the completion notice does after a
// run: the box closes unanswered and the window with it, rather than the program waiting (a
// box left open holds the test until its timeout).

#include <QCoreApplication>
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
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    QtMessageBox messages;
    messages.setOwner(&window);
    messages.showMessage("转换处理完成！", MessageStyle::Information, "");
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace tess::testing
