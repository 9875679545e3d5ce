#include "support/ModalAnswer.h"

#include <algorithm>
#include <exception>
#include <string>
#include <utility>

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace tess::testing {

namespace {

// What a failure names a dialog by.
std::string Describe(const QDialog& dialog)
{
    std::string description = '"' + dialog.windowTitle().toStdString() + '"';
    if (const auto* box = qobject_cast<const QMessageBox*>(&dialog))
        description += ": " + box->text().toStdString();
    return description;
}

}  // namespace

ModalAnswer::ModalAnswer(std::function<bool(QDialog&)> awaits, std::function<void(QDialog&)> answer)
    : awaits_(std::move(awaits)), answer_(std::move(answer))
{
    qApp->installEventFilter(this);
    living_.push_back(this);
}

ModalAnswer::~ModalAnswer()
{
    living_.erase(std::find(living_.begin(), living_.end(), this));
    if (!answered_)
        ADD_FAILURE() << "the dialog to answer never opened";
}

bool ModalAnswer::eventFilter(QObject* watched, QEvent* event)
{
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (event->type() != QEvent::Show || dialog == nullptr || !dialog->isModal())
        return false;
    // The answer runs once the dialog's own event loop has started, as a person's clicks do.
    if (awaited_.isNull() && !answered_ && awaits_(*dialog)) {
        awaited_ = dialog;
        QTimer::singleShot(0, dialog, [this, dialog] { answerIn(*dialog); });
    } else if (!awaited_.isNull() && awaited_->isVisible() && !anotherAnswers(*dialog)) {
        QTimer::singleShot(0, dialog, [dialog] {
            ADD_FAILURE() << "a dialog opened over the one answered: " << Describe(*dialog);
            dialog->reject();
        });
    }
    return false;
}

// Whether `dialog` is, or would be, the one this object answers.
bool ModalAnswer::answers(QDialog& dialog) const
{
    return awaited_ == &dialog || (awaited_.isNull() && !answered_ && awaits_(dialog));
}

bool ModalAnswer::anotherAnswers(QDialog& dialog) const
{
    return std::any_of(living_.begin(), living_.end(),
                       [&](const ModalAnswer* other) { return other != this && other->answers(dialog); });
}

void ModalAnswer::answerIn(QDialog& dialog)
{
    answered_ = true;
    // An exception must not unwind through the dialog's event loop.
    try {
        answer_(dialog);
    } catch (const std::exception& error) {
        ADD_FAILURE() << "the answer failed: " << error.what();
    }
    if (dialog.isVisible()) {
        ADD_FAILURE() << "the answer left the dialog open: " << Describe(dialog);
        dialog.reject();
    }
}

}  // namespace tess::testing
