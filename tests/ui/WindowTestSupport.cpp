#include "WindowTestSupport.h"

#include <cstdio>
#include <utility>

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "support/TempDir.h"

namespace tess::testing {

PickerDialogs DialogRecorder::dialogs()
{
    PickerDialogs recording;
    recording.showFileDialog = [this](FileDialogKind kind, OPENFILENAME& record) {
        EXPECT_EQ(kind, FileDialogKind::Open);
        fileRecords.push_back(record);
        if (onShow)
            onShow();
        if (!fileChoice)
            return false;
        record.lpstrFile = *fileChoice + std::string(record.nMaxFile - fileChoice->size(), '\0');
        return true;
    };
    recording.browseForFolder = [this](QWidget* owner, const std::string& prompt) {
        folderRequests.push_back({owner, prompt});
        if (onShow)
            onShow();
        return folderChoice;
    };
    return recording;
}

WindowTest::WindowTest() : window(messages, browser, dialogs.dialogs()) { window.show(); }

WindowTest::WindowTest(IMessageBox& messageBoxes, PickerDialogs pickerDialogs)
    : window(messageBoxes, browser, std::move(pickerDialogs))
{
    window.show();
}

QString WindowTest::text(const char* name)
{
    QObject* found = window.findChild<QObject*>(name);
    if (auto* label = qobject_cast<QLabel*>(found))
        return label->text();
    if (auto* box = qobject_cast<QLineEdit*>(found))
        return box->text();
    if (auto* button = qobject_cast<QAbstractButton*>(found))
        return button->text();
    throw std::runtime_error(std::string("no control with a text called ") + name);
}

void WindowTest::setText(const char* name, const QString& text) { control<QLineEdit>(name).setText(text); }

void WindowTest::clickStart() { click("cmdStart"); }

void WindowTest::click(const char* name) { control<QPushButton>(name).click(); }

void WindowTest::tick() { QMetaObject::invokeMethod(&control<QTimer>("Timer1"), "timeout"); }

std::string NumberedLines(int first, int count, int width)
{
    std::string lines;
    lines.reserve(static_cast<std::size_t>(count) * width);
    std::string line(width, 'x');
    line[9] = ' ';
    line[width - 2] = '\r';
    line[width - 1] = '\n';
    char number[16];
    for (int i = first; i < first + count; ++i) {
        std::snprintf(number, sizeof number, "%09d", i);
        line.replace(0, 9, number);
        lines += line;
    }
    return lines;
}

std::vector<std::string> ReadPieces(const std::string& destination, const std::string& base)
{
    std::vector<std::string> pieces;
    for (int n = 1;; ++n) {
        const std::string path = destination + base + std::to_string(n) + ".txt";
        if (!Exists(path))
            return pieces;
        pieces.push_back(ReadFile(path));
    }
}

void CommitInputMethodText(QWidget& box, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(&box, &event);
}

int Pixels(int twips) { return (twips + 7) / 15; }

}  // namespace tess::testing
