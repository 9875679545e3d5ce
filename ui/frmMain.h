#pragma once

#include <memory>
#include <string>

#include <QTimer>
#include <QWidget>

#include "engine/RunControl.h"
#include "engine/SplitRun.h"
#include "engine/RunWindow.h"
#include "engine/SplitHost.h"
#include "runtime/YieldTicker.h"
#include "ui/FormDesign.h"
#include "ui/Pickers.h"

namespace Ui {
class frmMain;
}

namespace tess {

class IUrlOpener;

// The program's only window, built from its stored design. It carries run control (the start
// button's start/stop toggle and Timer1's elapsed seconds) and runs every split inside the start
// click, on the window's own thread, handing control to the event loop every few milliseconds
// so that ticks and a stop click are handled while the split goes on.
// Message boxes go to `messages` and the link label's address to `browser`; both must outlive
// the window. The two pickers fill the path boxes through `dialogs`, which may open while a split
// runs: the split waits until they close, and what they choose is read by the next run.
class frmMain : public QWidget, public IRunWindow, public ISplitHost {
    Q_OBJECT
public:
    frmMain(IMessageBox& messages, IUrlOpener& browser, PickerDialogs dialogs = {}, QWidget* parent = nullptr);
    ~frmMain() override;

    // Moves the window to the centre of the screen it is on.
    void centerOnScreen();

    // What the last split run did; empty progress before the first.
    const RunResult& lastRun() const { return lastRun_; }
    FormDesign& design() { return design_; }

    // The controls, as run control and the split engine see them.
    std::string startCaption() const override;
    void setStartCaption(const std::string& caption) override;
    std::string elapsedCaption() const override;
    void setElapsedCaption(const std::string& caption) override;
    std::string sourceText() const override;
    std::string destinationText() const override;
    std::string lineCountText() const override;
    void setLineCountText(const std::string& text) override;
    std::string sizeText() const override;
    void setSizeText(const std::string& text) override;
    bool lineModeSelected() const override;
    void showMessage(const std::string& text, MessageStyle style, const std::string& title) override;

    void SplitByLineCount() override;
    void SplitBySize() override;

    void setTimerEnabled(bool enabled) override;
    void yieldToEvents(const RunProgress& progress) override;
    bool stopRequested() const override { return runControl_.stopFlag(); }
    void folderNotCreated(const std::string& folder, std::error_code error) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // What the stored design cannot hold: the maker's names, colours, icon, pointer, filters, timer.
    void applyDesignSettings();
    void cmdSelectFileClick();
    void cmdSelectFolderClick();
    void runSplit(SplitMode mode, double threshold);
    // What the window shows once a run has returned: the notice, an error box, or nothing.
    void announce(const RunResult& run);
    void showProgress(const RunProgress& progress);

    std::unique_ptr<Ui::frmMain> ui_;
    IMessageBox& messages_;
    IUrlOpener& browser_;
    PickerDialogs dialogs_;
    RunControl runControl_;
    QTimer Timer1_;
    FormDesign design_;
    RunResult lastRun_;
    bool closeRequested_ = false;
    bool folderFailed_ = false;  // in the run under way, or the last one
};

}  // namespace tess
