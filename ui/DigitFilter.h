#pragma once

#include <QObject>

namespace tess {

// The keystroke filter of the two threshold boxes: a typed character gets into the box only when
// it is a backspace, a space or one of the digits "0" to "9". Every other character inserts
// nothing: letters, signs, full-width digits, Chinese text from an input method, control
// characters (and with them the keyboard's clipboard and undo shortcuts) and keyboard paste.
// Nor does text that is not typed: no context menu, no drop, no middle-button paste.
// Keys that type no character (arrows, Home, End, Delete, Tab) pass. Install one filter on each
// box; it is the box's child.
class DigitFilter : public QObject {
    Q_OBJECT
public:
    // Installs a new filter on `box`.
    static void install(QWidget& box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit DigitFilter(QObject* parent);
};

// True for the characters the threshold boxes take: backspace, space and "0" to "9".
bool IsThresholdCharacter(QChar c);

}  // namespace tess
