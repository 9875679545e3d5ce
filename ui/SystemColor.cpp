#include "ui/SystemColor.h"

#include <array>

namespace tess {

namespace {

struct SystemColorRole {
    std::uint32_t index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The system colour indices that have a counterpart in a Qt palette.
constexpr std::array<SystemColorRole, 17> kSystemColorRoles{{
    {4, QPalette::Active, QPalette::Window},             // menu
    {5, QPalette::Active, QPalette::Base},               // window
    {6, QPalette::Active, QPalette::Shadow},             // window frame
    {7, QPalette::Active, QPalette::WindowText},         // menu text
    {8, QPalette::Active, QPalette::Text},               // window text
    {12, QPalette::Active, QPalette::Dark},              // application workspace
    {13, QPalette::Active, QPalette::Highlight},         // highlight
    {14, QPalette::Active, QPalette::HighlightedText},   // highlighted text
    {15, QPalette::Active, QPalette::Button},            // button face
    {16, QPalette::Active, QPalette::Dark},              // button shadow
    {17, QPalette::Disabled, QPalette::Text},            // grey (disabled) text
    {18, QPalette::Active, QPalette::ButtonText},        // button text
    {20, QPalette::Active, QPalette::Light},             // button highlight
    {21, QPalette::Active, QPalette::Shadow},            // dark 3-D shadow
    {22, QPalette::Active, QPalette::Midlight},          // light 3-D
    {23, QPalette::Active, QPalette::ToolTipText},       // tooltip text
    {24, QPalette::Active, QPalette::ToolTipBase},       // tooltip background
}};

}  // namespace

QColor ColorFromValue(std::uint32_t value, const QPalette& palette)
{
    if ((value & kSystemColorFlag) == 0)
        return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
    const std::uint32_t index = value & ~kSystemColorFlag;
    for (const SystemColorRole& entry : kSystemColorRoles)
        if (entry.index == index)
            return palette.color(entry.group, entry.role);
    return Qt::black;
}

}  // namespace tess
