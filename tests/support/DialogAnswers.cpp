#include "support/DialogAnswers.h"

#include <QFileDialog>
#include <QMessageBox>

#include <gtest/gtest.h>

#include "support/ModalAnswer.h"

namespace tess::testing {

void Accept(QFileDialog& dialog)
{
    // QFileDialog keeps accept() to itself; its accept button reaches it through QDialog.
    static_cast<QDialog&>(dialog).accept();
}

QString AcceptExpectingMessage(QFileDialog& dialog)
{
    QString message;
    {
        AnswerNext<QMessageBox> dismiss([&message](QMessageBox& box) {
            message = box.text();
            box.close();
        });
        static_cast<QDialog&>(dialog).accept();
    }
    EXPECT_TRUE(dialog.isVisible()) << "the dialog took the choice";
    return message;
}

}  // namespace tess::testing
