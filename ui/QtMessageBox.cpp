#include "ui/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace tess {

namespace {

QMessageBox::Icon IconOf(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Error: return QMessageBox::Critical;
    case MessageStyle::Information: return QMessageBox::Information;
    case MessageStyle::Plain: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtMessageBox::showMessage(const std::string& text, MessageStyle style, const std::string& title)
{
    QMessageBox box(IconOf(style), QString::fromStdString(title.empty() ? kAppTitle : title),
                    QString::fromStdString(text), QMessageBox::Ok,
                    owner_ ? owner_ : QApplication::activeWindow());
    box.exec();
}

}  // namespace tess
