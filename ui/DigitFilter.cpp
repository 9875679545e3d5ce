#include "ui/DigitFilter.h"

#include <algorithm>

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace tess {

namespace {

bool AllThresholdCharacters(const QString& text)
{
    return std::all_of(text.begin(), text.end(), IsThresholdCharacter);
}

// Ctrl with a letter types a control character (Ctrl+V is 22) on the desktops this tool
// started on, whatever text the platform puts into the event.
bool TypesControlCharacter(const QKeyEvent& key)
{
    return (key.modifiers() & Qt::ControlModifier) && key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z;
}

// Some platforms give these a text ("\t", "\x7f"), yet they move the focus or edit; they type nothing.
bool IsMoveOrEditKey(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab || key.key() == Qt::Key_Delete;
}

bool RefusesKeystroke(const QKeyEvent& key)
{
    if (key.matches(QKeySequence::Paste) || TypesControlCharacter(key))
        return true;
    return !IsMoveOrEditKey(key) && !AllThresholdCharacters(key.text());
}

QString ThresholdCharactersOf(const QString& text)
{
    QString kept;
    for (const QChar c : text)
        if (IsThresholdCharacter(c))
            kept += c;
    return kept;
}

// Input-method text goes in character by character as typed keys do: refused characters drop out.
bool ReplaceRefusedCommit(QObject* box, const QInputMethodEvent& input)
{
    const QString kept = ThresholdCharactersOf(input.commitString());
    if (kept == input.commitString())
        return false;
    QInputMethodEvent filtered(input.preeditString(), input.attributes());
    filtered.setCommitString(kept, input.replacementStart(), input.replacementLength());
    QCoreApplication::sendEvent(box, &filtered);
    return true;
}

}  // namespace

bool IsThresholdCharacter(QChar c)
{
    const char16_t code = c.unicode();
    return code == 8 || code == ' ' || (code >= '0' && code <= '9');
}

void DigitFilter::install(QWidget& box)
{
    // Without an input method the box gets plain keystrokes, which the filter sees one by one.
    box.setAttribute(Qt::WA_InputMethodEnabled, false);
    // Text can also arrive without a keystroke: the context menu's paste, a dropped selection,
    // the middle button's selection paste. None of them is typed, so none of them is let in.
    box.setContextMenuPolicy(Qt::NoContextMenu);
    box.setAcceptDrops(false);
    box.installEventFilter(new DigitFilter(&box));
}

DigitFilter::DigitFilter(QObject* parent) : QObject(parent) {}

bool DigitFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return RefusesKeystroke(static_cast<const QKeyEvent&>(*event));
    case QEvent::InputMethod:
        return ReplaceRefusedCommit(watched, static_cast<const QInputMethodEvent&>(*event));
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        return static_cast<const QMouseEvent&>(*event).button() == Qt::MiddleButton;
    default:
        return false;
    }
}

}  // namespace tess
