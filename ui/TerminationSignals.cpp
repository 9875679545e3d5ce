#include "ui/TerminationSignals.h"

#include <csignal>

#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <sys/socket.h>
#include <unistd.h>

namespace tess {

namespace {

int signalPipe[2] = {-1, -1};

// Only async-signal-safe calls here: the event loop does the rest when it reads the byte.
extern "C" void NoteTerminationSignal(int number)
{
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

void CloseOnTerminationSignals(QWidget& window)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;  // the program then ends on these signals as it would anyway
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte;
        [[maybe_unused]] const ssize_t got = ::read(signalPipe[0], &byte, 1);
        // A box on screen would hold the program until someone answered it, a logout's too.
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
        window.close();
    });
    struct sigaction action {};
    action.sa_handler = NoteTerminationSignal;
    action.sa_flags = SA_RESETHAND | SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(number, &action, nullptr);
}

}  // namespace tess
