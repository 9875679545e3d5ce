#pragma once

#include <cstdint>

#include <QString>
#include <QWidget>

#include "runtime/PropertyStore.h"
#include "ui/SystemColor.h"

namespace tess {

class OutlineShape;

// The group frame: a captionless container painted in its BackColor and outlined along its four
// edges by shpBorder. Controls placed on it are its children: they sit relative to its top-left
// corner, move, hide and clip with it, and are drawn above its surface and outline.
class iFrame : public QWidget {
    Q_OBJECT
public:
    static constexpr std::uint32_t kDefaultBackColor = kButtonFace;
    static constexpr std::uint32_t kBorderColor = 0x00ACD0D7;
    static constexpr const char* kBackColorKey = "BackColor";

    explicit iFrame(QWidget* parent = nullptr);

    std::uint32_t BackColor() const { return backColor_; }
    // Repaints the surface, then emits propertyChanged("BackColor").
    void setBackColor(std::uint32_t value);

    // Takes BackColor from the instance's stored design (the default when the key is absent),
    // without reporting a change.
    void ReadProperties(const PropertyStore& design);
    // Writes BackColor into the instance's stored design; the store drops a default value.
    void WriteProperties(PropertyStore& design) const;

    const OutlineShape& border() const { return *shpBorder_; }

signals:
    // A property of the stored design has changed; the host's stored design is out of date.
    void propertyChanged(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    std::uint32_t backColor_ = kDefaultBackColor;
    OutlineShape* shpBorder_;
};

}  // namespace tess
