#include "ui/iFrame.h"

#include <QPainter>

#include "ui/OutlineShape.h"

namespace tess {

namespace {
// The extent of an instance made without a stored design, in pixels (4455 x 3240 twips).
constexpr QSize kNewInstanceSize(297, 216);
}  // namespace

iFrame::iFrame(QWidget* parent)
    : QWidget(parent), shpBorder_(new OutlineShape(ColorFromValue(kBorderColor, palette()), this))
{
    // Created first, the outline lies below every control the host places on the frame later.
    shpBorder_->setObjectName("shpBorder");
    resize(kNewInstanceSize);
}

void iFrame::setBackColor(std::uint32_t value)
{
    backColor_ = value;
    update();
    emit propertyChanged(kBackColorKey);
}

void iFrame::ReadProperties(const PropertyStore& design)
{
    backColor_ = static_cast<std::uint32_t>(design.read(kBackColorKey, static_cast<std::int32_t>(kDefaultBackColor)));
    update();
}

void iFrame::WriteProperties(PropertyStore& design) const
{
    design.write(kBackColorKey, static_cast<std::int32_t>(backColor_), static_cast<std::int32_t>(kDefaultBackColor));
}

void iFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ColorFromValue(backColor_, palette()));
}

void iFrame::resizeEvent(QResizeEvent* event)
{
    shpBorder_->setGeometry(rect());
    QWidget::resizeEvent(event);
}

}  // namespace tess
