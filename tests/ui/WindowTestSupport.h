#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <QString>
#include <QUrl>

#include <gtest/gtest.h>

#include "runtime/MessageBox.h"
#include "shell/OpenFileName.h"
#include "ui/Pickers.h"
#include "ui/UrlOpener.h"
#include "ui/frmMain.h"

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace tess::testing {

// Takes the window's message boxes instead of showing them, so that no test waits for a click.
class MessageRecorder : public IMessageBox {
public:
    struct Message {
        std::string text;
        MessageStyle style;
        std::string title;
    };
    std::vector<Message> messages;
    // Called with each box as it would be shown, while the window waits for it.
    std::function<void(const Message&)> onShow;

    void showMessage(const std::string& text, MessageStyle style, const std::string& title) override
    {
        messages.push_back({text, style, title});
        if (onShow)
            onShow(messages.back());
    }
};

// Counts the addresses the link label hands over instead of starting a browser.
class UrlRecorder : public IUrlOpener {
public:
    std::vector<QUrl> opened;
    void openUrl(const QUrl& url) override { opened.push_back(url); }
};

// The child of `parent` called `name`; throws when `parent` has none of that kind.
template <typename Control>
Control& Child(const QObject& parent, const char* name)
{
    auto* found = parent.findChild<Control*>(name);
    if (found == nullptr)
        throw std::runtime_error(std::string("no control ") + name);
    return *found;
}

// Stands in for the pickers' dialogs: keeps what each was asked and answers as the test says.
class DialogRecorder {
public:
    struct FolderRequest {
        QWidget* owner;
        std::string prompt;
    };
    std::vector<OPENFILENAME> fileRecords;  // each as the dialog received it
    std::vector<FolderRequest> folderRequests;
    // What every file dialog chooses; none: the user cancels.
    std::optional<std::string> fileChoice;
    // What every folder chooser chooses; empty: the user cancels.
    std::string folderChoice;
    // Called while either dialog is open, before it answers.
    std::function<void()> onShow;

    // Dialogs that answer through this recorder, which must outlive them.
    PickerDialogs dialogs();
};

// A shown main window with recorders in place of the message boxes, the browser and the pickers'
// dialogs.
class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    // The window shows its message boxes in `messageBoxes` and its pickers in `pickerDialogs`,
    // which must outlive it; the recorders see neither.
    WindowTest(IMessageBox& messageBoxes, PickerDialogs pickerDialogs);

    // The control called `name`; the test fails at once when the window has none of that kind.
    template <typename Control>
    Control& control(const char* name)
    {
        return Child<Control>(window, name);
    }

    QString text(const char* name);  // of a label, text box or button
    void setText(const char* name, const QString& text);  // of a text box
    void clickStart();
    void click(const char* name);  // a button
    // Raises Timer1's timeout once, as one tick of the clock would.
    void tick();

    MessageRecorder messages;
    UrlRecorder browser;
    DialogRecorder dialogs;
    frmMain window;
};

// Lines "000000001 ...", numbered from 1, each ended by CR LF; `width` bytes a line with the end.
std::string NumberedLines(int first, int count, int width = 40);

// The pieces destination + base + 1.txt, 2.txt, ... that exist, in order.
std::vector<std::string> ReadPieces(const std::string& destination, const std::string& base);

// Puts `text` into `box` as an input method hands it over, which is how Chinese is typed.
void CommitInputMethodText(QWidget& box, const QString& text);

// Pixels are twips / 15, rounded to the nearest pixel.
int Pixels(int twips);

}  // namespace tess::testing
