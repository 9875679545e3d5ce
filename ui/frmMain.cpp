#include "ui/frmMain.h"

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QScreen>
#include <QUrl>

#include "ui/Art.h"
#include "ui/DigitFilter.h"
#include "ui/FailureText.h"
#include "ui/Maker.h"
#include "ui/SystemColor.h"
#include "ui/UrlOpener.h"
#include "ui/iFrame.h"
#include "ui_frmMain.h"

namespace tess {

namespace {

constexpr std::chrono::milliseconds kYieldPeriod(10);
constexpr int kTickMilliseconds = 1000;
constexpr std::uint32_t kLinkTextColor = 0x000000FF;
constexpr int kProgressScale = 1000;  // the bar counts tenths of a percent
constexpr const char* kErrorTitle = "错误";
constexpr const char* kCompletedNotice = "转换处理完成！";
constexpr const char* kNoticeTitle = "提示";
constexpr const char* kFolderErrorPrefix = "创建错误: ";

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// The layout is drawn for a 9-point Chinese UI font: 12 pixels a line, 12 a Chinese character and
// about 6 a Latin one. The desktop's own font may be larger, or pair Chinese with wide Latin
// letters, and then the captions outgrow their places; so the window names the fonts it is drawn
// for, falling back to the desktop's at the size the layout wants.
QFont LayoutFont(const QFont& desktop)
{
    QFont font = desktop;
    font.setFamilies({"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Source Han Sans SC", desktop.family()});
    font.setPixelSize(12);
    return font;
}

// Labels marked autoSize in the stored design fit their text and keep their top-left corner.
void FitAutoSizeLabel(QLabel& label)
{
    if (label.property("autoSize").toBool())
        label.adjustSize();
}

void SetColor(QWidget& widget, QPalette::ColorRole role, std::uint32_t value)
{
    QPalette palette = widget.palette();
    palette.setColor(role, ColorFromValue(value, palette));
    widget.setPalette(palette);
}

}  // namespace

frmMain::frmMain(IMessageBox& messages, IUrlOpener& browser, PickerDialogs dialogs, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::frmMain>()), messages_(messages), browser_(browser),
      dialogs_(std::move(dialogs)), runControl_(*this)
{
    ui_->setupUi(this);
    applyDesignSettings();
    connect(ui_->cmdSelectFile, &QPushButton::clicked, this, &frmMain::cmdSelectFileClick);
    connect(ui_->cmdSelectFolder, &QPushButton::clicked, this, &frmMain::cmdSelectFolderClick);
    connect(ui_->cmdStart, &QPushButton::clicked, this, [this] { runControl_.cmdStartClick(); });
    connect(&Timer1_, &QTimer::timeout, this, [this] { runControl_.timer1Tick(); });
    connect(ui_->Label13, &LinkLabel::clicked, this, [this] { browser_.openUrl(QUrl(kMakerHomePage)); });
}

frmMain::~frmMain() = default;

void frmMain::applyDesignSettings()
{
    setWindowTitle(windowTitle() + kMakerDomain);
    setWindowIcon(ProgramIcon());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    setFont(LayoutFont(font()));

    SetColor(*ui_->txtPath, QPalette::Base, kGrayText);
    SetColor(*ui_->txtSave, QPalette::Base, kGrayText);
    DigitFilter::install(*ui_->txtLineCount);
    DigitFilter::install(*ui_->txtSize);

    ui_->Label13->setText(ui_->Label13->text() + kMakerHost);
    SetColor(*ui_->Label13, QPalette::WindowText, kLinkTextColor);
    ui_->Label13->setCursor(PointingHandCursor());
    for (QLabel* label : findChildren<QLabel*>())
        FitAutoSizeLabel(*label);

    Timer1_.setObjectName("Timer1");
    Timer1_.setParent(this);
    Timer1_.setInterval(kTickMilliseconds);

    design_.attach({ui_->iFrame1, ui_->iFrame3, ui_->iFrame4, ui_->iFrame5});
    ui_->cmdSelectFile->setFocus();
}

void frmMain::cmdSelectFileClick()
{
    const std::string path = PickSourceFile(dialogs_.showFileDialog, this);
    if (!path.empty())
        ui_->txtPath->setText(FromUtf8(path));
}

void frmMain::cmdSelectFolderClick()
{
    const std::string folder = PickDestinationFolder(dialogs_.browseForFolder, this);
    if (!folder.empty())
        ui_->txtSave->setText(FromUtf8(folder));
}

void frmMain::centerOnScreen()
{
    const QRect available = screen()->availableGeometry();
    QRect placed = frameGeometry();
    placed.moveCenter(available.center());
    move(placed.topLeft());
}

std::string frmMain::startCaption() const { return ui_->cmdStart->text().toStdString(); }

void frmMain::setStartCaption(const std::string& caption) { ui_->cmdStart->setText(FromUtf8(caption)); }

std::string frmMain::elapsedCaption() const { return ui_->Label6->text().toStdString(); }

void frmMain::setElapsedCaption(const std::string& caption)
{
    ui_->Label6->setText(FromUtf8(caption));
    FitAutoSizeLabel(*ui_->Label6);
}

std::string frmMain::sourceText() const { return ui_->txtPath->text().toStdString(); }

std::string frmMain::destinationText() const { return ui_->txtSave->text().toStdString(); }

std::string frmMain::lineCountText() const { return ui_->txtLineCount->text().toStdString(); }

void frmMain::setLineCountText(const std::string& text) { ui_->txtLineCount->setText(FromUtf8(text)); }

std::string frmMain::sizeText() const { return ui_->txtSize->text().toStdString(); }

void frmMain::setSizeText(const std::string& text) { ui_->txtSize->setText(FromUtf8(text)); }

bool frmMain::lineModeSelected() const { return ui_->Option1->isChecked(); }

void frmMain::showMessage(const std::string& text, MessageStyle style, const std::string& title)
{
    // A run stopped by closing the window may still find the end of its input; the window is
    // going away, so the completion notice is not shown.
    if (closeRequested_ && style == MessageStyle::Information)
        return;
    messages_.showMessage(text, style, title);
}

void frmMain::SplitByLineCount() { runSplit(SplitMode::ByLineCount, runControl_.lineThreshold()); }

void frmMain::SplitBySize() { runSplit(SplitMode::BySize, runControl_.sizeThreshold()); }

void frmMain::runSplit(SplitMode mode, double threshold)
{
    SplitRequest request;
    request.sourceText = sourceText();
    request.destinationText = destinationText();
    request.mode = mode;
    request.threshold = threshold;

    showProgress(RunProgress{});
    folderFailed_ = false;
    {
        YieldTicker ticker(kYieldPeriod, attention());  // only while the run lasts, not its box
        lastRun_ = RunSplit(*this, request);
    }
    // The bar keeps how far the run got; a completed one read all there was, even of an empty
    // source or a pipe, whose size gives no share.
    if (lastRun_.outcome == RunOutcome::Completed)
        ui_->prgRead->setValue(kProgressScale);
    else
        showProgress(lastRun_.progress);
    announce(lastRun_);

    // The close that stopped this run was refused while the split held its files; repeat it
    // once the click that started the run has returned.
    if (closeRequested_)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void frmMain::setTimerEnabled(bool enabled)
{
    if (enabled) {
        Timer1_.start();
        return;
    }
    Timer1_.stop();
}

void frmMain::yieldToEvents(const RunProgress& progress)
{
    showProgress(progress);
    QCoreApplication::processEvents();
}

void frmMain::showProgress(const RunProgress& progress)
{
    // A source that grows while it is read is read past the size it had: the bar stays full.
    const double share = progress.sourceBytes == 0
                             ? 0.0
                             : std::min(1.0, static_cast<double>(progress.bytesRead) / progress.sourceBytes);
    ui_->prgRead->setValue(static_cast<int>(share * kProgressScale));
}

void frmMain::announce(const RunResult& run)
{
    if (run.outcome == RunOutcome::Stopped)
        return;  // the stop click has restored the caption already
    setStartCaption(kStartCaption);
    if (folderFailed_ && AddsNothingToFolderFailure(run))
        return;  // the folder's box has told the fault
    if (run.outcome == RunOutcome::Completed)
        showMessage(kCompletedNotice, MessageStyle::Information, kNoticeTitle);
    else
        showMessage(FailureText(*run.error, run.progress.linesKept), MessageStyle::Error, kErrorTitle);
}

void frmMain::folderNotCreated(const std::string& folder, std::error_code error)
{
    folderFailed_ = true;
    showMessage(kFolderErrorPrefix + FolderFailureText(folder, error), MessageStyle::Plain, kAppTitle);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!runControl_.splitInProgress()) {
        event->accept();
        return;
    }
    // The split runs inside the start click further down this thread's stack; it must return,
    // closing its piece with every line it holds, before the window can go.
    event->ignore();
    closeRequested_ = true;
    runControl_.requestStop();
}

}  // namespace tess
