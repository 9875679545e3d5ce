#pragma once

#include <QString>

class QFileDialog;
class QLineEdit;

namespace tess::testing {

// Answers for a file dialog that a ModalAnswer (AnswerNext<QFileDialog>) is answering.

// Confirms the dialog as its accept button does, expecting the dialog's own checks to pass and
// the dialog to close. A message box it raises instead opens over the answered dialog and fails
// the test.
void Accept(QFileDialog& dialog);

// Confirms the dialog where its checks are expected to refuse the choice with a message box,
// and dismisses the box as a user would. Returns the message's text. The test fails when no box
// appeared or the dialog closed.
QString AcceptExpectingMessage(QFileDialog& dialog);

// The box in which a name in the dialog's file list is being edited, as after its new-folder
// button; null when none is.
QLineEdit* NameEditor(const QFileDialog& dialog);

}  // namespace tess::testing
