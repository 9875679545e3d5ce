// tessaline-window-bench SOURCE DESTINATION: one line-mode run (3000 lines a piece) of the real
// window, offscreen, driven through its controls as a user would: fill the two path boxes, click
// the start button, wait for the click to return. Prints the run's seconds, what it did and the
// process's peak resident memory; exits 0 only when the run completed.

#include <chrono>
#include <cstdio>

#include <sys/resource.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ui/UrlOpener.h"
#include "ui/frmMain.h"

namespace {

// Message boxes go to stderr; a benchmark has nobody to dismiss them.
class PrintedMessages : public tess::IMessageBox {
public:
    void showMessage(const std::string& text, tess::MessageStyle, const std::string& title) override
    {
        std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
    }
};

template <typename Control>
Control& Find(tess::frmMain& window, const char* name)
{
    auto* control = window.findChild<Control*>(name);
    if (control == nullptr) {
        std::fprintf(stderr, "tessaline-window-bench: the window has no %s\n", name);
        std::exit(1);
    }
    return *control;
}

long PeakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: tessaline-window-bench SOURCE DESTINATION/\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PrintedMessages messages;
    tess::DesktopUrlOpener browser;
    tess::frmMain window(messages, browser);
    window.show();

    Find<QLineEdit>(window, "txtPath").setText(QString::fromLocal8Bit(argv[1]));
    Find<QLineEdit>(window, "txtSave").setText(QString::fromLocal8Bit(argv[2]));
    Find<QRadioButton>(window, "Option1").setChecked(true);
    Find<QLineEdit>(window, "txtLineCount").setText("3000");

    const auto started = std::chrono::steady_clock::now();
    Find<QPushButton>(window, "cmdStart").click();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    const tess::RunResult& run = window.lastRun();
    const tess::RunProgress& p = run.progress;
    std::printf("%llu pieces, %llu lines kept, %llu lines dropped, %llu bytes written, %.3f s, peak %ld KiB\n",
                static_cast<unsigned long long>(p.piecesWritten), static_cast<unsigned long long>(p.linesKept),
                static_cast<unsigned long long>(p.linesDropped), static_cast<unsigned long long>(p.bytesWritten),
                seconds, PeakResidentKiB());
    return run.outcome == tess::RunOutcome::Completed ? 0 : 1;
}
