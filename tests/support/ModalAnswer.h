#pragma once

#include <functional>
#include <vector>

#include <QDialog>
#include <QObject>
#include <QPointer>

namespace tess::testing {

// Answers the next modal dialog of a kind from inside the dialog's own event loop, as a person
// at the screen would, so that the code that opened it goes on as in real use. Make it just
// before the code that opens the dialog. The test fails when no such dialog opened while the
// object lived, when the answer left the dialog open (it is then rejected), and when another
// modal dialog opened over it (that one is closed) unless another ModalAnswer answers that one:
// an answer that expects its clicks to raise a message box makes one for it.
class ModalAnswer : public QObject {
public:
    ~ModalAnswer() override;
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

protected:
    // `awaits` tells the dialogs to answer; `answer` closes one.
    ModalAnswer(std::function<bool(QDialog&)> awaits, std::function<void(QDialog&)> answer);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void answerIn(QDialog& dialog);
    bool answers(QDialog& dialog) const;
    bool anotherAnswers(QDialog& dialog) const;

    std::function<bool(QDialog&)> awaits_;
    std::function<void(QDialog&)> answer_;
    QPointer<QDialog> awaited_;  // from the moment it opened
    bool answered_ = false;
    inline static std::vector<const ModalAnswer*> living_;
};

// A ModalAnswer for the next modal dialog of type Dialog (a QFileDialog, a QMessageBox...).
template <typename Dialog>
class AnswerNext : public ModalAnswer {
public:
    explicit AnswerNext(std::function<void(Dialog&)> answer)
        : ModalAnswer([](QDialog& shown) { return qobject_cast<Dialog*>(&shown) != nullptr; },
                      [answer = std::move(answer)](QDialog& shown) { answer(static_cast<Dialog&>(shown)); })
    {
    }
};

}  // namespace tess::testing
