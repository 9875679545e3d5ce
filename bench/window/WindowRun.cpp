// tessaline-window-bench SOURCE DESTINATION [STOP_MS]: one line-mode run (3000 lines a piece) of
// the real window, offscreen, driven through its controls as a user would: fill the two path
// boxes, click the start button, wait for the click to return. Prints the run's seconds, what it
// did and the process's peak resident memory; exits 0 only when the run completed.
// With STOP_MS, the start button is clicked again STOP_MS after the start, as a user stopping
// the run would, and the run must end stopped. It then also prints how late the click came (the
// window answers only when the run gives it its turn), how long after it the start caption was
// back, and how long after it the run had ended.

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <sys/resource.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

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
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: tessaline-window-bench SOURCE DESTINATION/ [STOP_MS]\n");
        return 2;
    }
    const int stopAfterMs = argc == 4 ? std::atoi(argv[3]) : -1;
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
    // A user clicks a window that is drawn already: its first paint (7 ms here) is not the run's.
    QCoreApplication::processEvents();

    using Clock = std::chrono::steady_clock;
    auto& start = Find<QPushButton>(window, "cmdStart");
    const QString startCaption = start.text();
    Clock::time_point stopClicked, captionBack;
    if (stopAfterMs >= 0) {
        QTimer::singleShot(stopAfterMs, &window, [&] {
            stopClicked = Clock::now();
            start.click();
            if (start.text() == startCaption)
                captionBack = Clock::now();
        });
    }
    const auto started = Clock::now();
    start.click();
    const auto ended = Clock::now();
    const double seconds = std::chrono::duration<double>(ended - started).count();

    const tess::RunResult& run = window.lastRun();
    const tess::RunProgress& p = run.progress;
    std::printf("%llu pieces, %llu lines kept, %llu lines dropped, %llu bytes written, %.3f s, peak %ld KiB\n",
                static_cast<unsigned long long>(p.piecesWritten), static_cast<unsigned long long>(p.linesKept),
                static_cast<unsigned long long>(p.linesDropped), static_cast<unsigned long long>(p.bytesWritten),
                seconds, PeakResidentKiB());
    if (stopAfterMs < 0)
        return run.outcome == tess::RunOutcome::Completed ? 0 : 1;
    if (run.outcome != tess::RunOutcome::Stopped || captionBack == Clock::time_point{}) {
        std::fprintf(stderr, "tessaline-window-bench: the stop click did not stop the run\n");
        return 1;
    }
    auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    std::printf("stop: click %.1f ms late, caption back %.1f ms after it, run ended %.1f ms after it\n",
                ms(stopClicked - started) - stopAfterMs, ms(captionBack - stopClicked), ms(ended - stopClicked));
    return 0;
}
