#pragma once

#include <functional>

#include <QString>

class QFileDialog;

namespace tess::test {

// Runs `answer` on the next modal file dialog as soon as it is open; call it just before the
// code that opens the dialog. `answer` closes the dialog (Accept, reject); one it leaves open is
// rejected and the test fails.
void AnswerNextFileDialog(std::function<void(QFileDialog&)> answer);

// Confirms the dialog as its accept button does, expecting the dialog's own checks to pass. A
// message box it raises instead is dismissed and fails the test.
void Accept(QFileDialog& dialog);

// Confirms the dialog where its checks are expected to refuse the choice with a message, and
// dismisses the message as a user would. Returns the message's text (empty when none appeared);
// the test fails when the dialog closes.
QString AcceptExpectingMessage(QFileDialog& dialog);

}  // namespace tess::test
