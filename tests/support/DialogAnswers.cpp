#include "support/DialogAnswers.h"

#include <QAbstractItemView>
#include <QFileDialog>
#include <QLineEdit>
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

QLineEdit* NameEditor(const QFileDialog& dialog)
{
    for (const QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
        if (auto* editor = view->viewport()->findChild<QLineEdit*>(); editor && editor->isVisible())
            return editor;
    }
    return nullptr;
}

}  // namespace tess::testing
