#pragma once

#include <QColor>
#include <QWidget>

namespace tess {

// A rectangle shape with square corners: a solid outline one pixel wide along the edges of its
// own geometry, interior unfilled so that what lies below shows through. It takes no input.
class OutlineShape : public QWidget {
    Q_OBJECT
public:
    OutlineShape(const QColor& outline, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor outline_;
};

}  // namespace tess
