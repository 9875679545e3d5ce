#pragma once

#include <cstdint>

#include <QColor>
#include <QPalette>

namespace tess {

// Colour values as the stored design holds them: 0x00BBGGRR for a fixed colour, or 0x80000000
// plus the index of a system colour.
inline constexpr std::uint32_t kSystemColorFlag = 0x80000000;
inline constexpr std::uint32_t kButtonFace = kSystemColorFlag | 15;
inline constexpr std::uint32_t kGrayText = kSystemColorFlag | 17;

// The colour that `value` stands for. System colours come from `palette`, the one the widget
// is drawn with; an index that names no system colour gives black, as the system does.
QColor ColorFromValue(std::uint32_t value, const QPalette& palette);

}  // namespace tess
