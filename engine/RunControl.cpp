#include "engine/RunControl.h"

#include "engine/Thresholds.h"
#include "runtime/Text.h"

namespace tess {

namespace {

constexpr const char* kStopCaption = "停止";
constexpr const char* kErrorTitle = "错误";
constexpr const char* kNoSourceMessage = "请先选择需要处理的文件！";
constexpr const char* kNoDestinationMessage = "请选择文件保存地址！";
constexpr const char* kSecondsSuffix = " 秒";

// Holds `flag` true for one scope, even when the scope is left by an exception.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
};

}  // namespace

RunControl::RunControl(IRunWindow& window) : window_(window) {}

void RunControl::cmdStartClick()
{
    if (window_.startCaption() != kStartCaption) {
        requestStop();
        return;
    }
    // A stopped split that has not yet returned still holds its files: a run started inside
    // it would append to the same pieces and then hand control back to a resumed stale run.
    if (splitInProgress_)
        return;
    if (!validate())
        return;

    window_.setStartCaption(kStopCaption);
    window_.setElapsedCaption(std::string("0") + kSecondsSuffix);
    stopFlag_ = false;
    ScopedFlag inProgress(splitInProgress_);
    if (window_.lineModeSelected())
        startLineMode();
    else
        startSizeMode();
}

bool RunControl::validate()
{
    if (TrimSpaces(window_.sourceText()).empty()) {
        window_.showMessage(kNoSourceMessage, MessageStyle::Error, kErrorTitle);
        return false;
    }
    if (window_.destinationText().empty()) {  // not trimmed: a destination of spaces passes
        window_.showMessage(kNoDestinationMessage, MessageStyle::Error, kErrorTitle);
        return false;
    }
    return true;
}

void RunControl::startLineMode()
{
    if (LenientValue(window_.lineCountText()) == 0)
        window_.setLineCountText(NumberToText(kDefaultLinesPerPiece));
    lineThreshold_ = LenientValue(window_.lineCountText());
    window_.SplitByLineCount();
}

void RunControl::startSizeMode()
{
    if (LenientValue(window_.sizeText()) == 0)
        window_.setSizeText(NumberToText(kDefaultThousandsPerPiece));
    sizeThreshold_ = LenientValue(window_.sizeText()) * kCharactersPerThousand;
    window_.SplitBySize();
}

void RunControl::requestStop()
{
    stopFlag_ = true;
    window_.setStartCaption(kStartCaption);
}

void RunControl::timer1Tick()
{
    const double seconds = LenientValue(window_.elapsedCaption()) + 1;
    window_.setElapsedCaption(NumberToText(seconds) + kSecondsSuffix);
}

}  // namespace tess
