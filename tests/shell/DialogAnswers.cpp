#include "DialogAnswers.h"

#include <memory>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace tess::test {

void AnswerNextFileDialog(std::function<void(QFileDialog&)> answer) {
    QTimer::singleShot(0, [answer = std::move(answer)] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no modal file dialog is open";
            return;
        }
        answer(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the answer left the file dialog open";
            dialog->reject();
        }
    });
}

namespace {

// Accepts `dialog` and dismisses the message box it may raise while checking the choice, as a
// user would. Returns the message's text; empty when there was none.
QString AcceptDismissingMessage(QFileDialog& dialog) {
    // Shared with the timer, which runs after this function returns when no message appears.
    auto message = std::make_shared<QString>();
    QTimer::singleShot(0, [message] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *message = box->text();
            box->close();
        }
    });
    static_cast<QDialog&>(dialog).accept();
    return *message;
}

}  // namespace

void Accept(QFileDialog& dialog) {
    const QString message = AcceptDismissingMessage(dialog);
    EXPECT_TRUE(message.isEmpty()) << "the dialog refused the choice: " << message.toStdString();
}

QString AcceptExpectingMessage(QFileDialog& dialog) {
    const QString message = AcceptDismissingMessage(dialog);
    EXPECT_TRUE(dialog.isVisible()) << "the dialog took the choice";
    return message;
}

}  // namespace tess::test
