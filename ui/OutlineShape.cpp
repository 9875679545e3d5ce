#include "ui/OutlineShape.h"

#include <QPainter>

namespace tess {

OutlineShape::OutlineShape(const QColor& outline, QWidget* parent) : QWidget(parent), outline_(outline)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void OutlineShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(outline_, 1));
    painter.setBrush(Qt::NoBrush);
    // A 1-pixel pen draws to the right of and below its path; the last row and column are inside.
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace tess
