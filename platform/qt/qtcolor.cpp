#include "platform/qt/qtcolor.h"

#include <array>

namespace varnok {

namespace {

constexpr TColor kSystemColorFlag = 0x80000000;

struct SystemColorRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The system colour indices (scroll bar 0 ... info background 24) and the palette roles
// that play the same part in a Qt style.
constexpr std::array<SystemColorRole, 25> kSystemColors = {{
    {QPalette::Active, QPalette::Button},          // 0 scroll bar
    {QPalette::Active, QPalette::Dark},            // 1 desktop background
    {QPalette::Active, QPalette::Highlight},       // 2 active caption
    {QPalette::Inactive, QPalette::Highlight},     // 3 inactive caption
    {QPalette::Active, QPalette::Window},          // 4 menu
    {QPalette::Active, QPalette::Base},            // 5 window
    {QPalette::Active, QPalette::Shadow},          // 6 window frame
    {QPalette::Active, QPalette::WindowText},      // 7 menu text
    {QPalette::Active, QPalette::Text},            // 8 window text
    {QPalette::Active, QPalette::HighlightedText}, // 9 caption text
    {QPalette::Active, QPalette::Button},          // 10 active border
    {QPalette::Inactive, QPalette::Button},        // 11 inactive border
    {QPalette::Active, QPalette::Dark},            // 12 application work space
    {QPalette::Active, QPalette::Highlight},       // 13 highlight
    {QPalette::Active, QPalette::HighlightedText}, // 14 highlight text
    {QPalette::Active, QPalette::Button},          // 15 button face
    {QPalette::Active, QPalette::Dark},            // 16 button shadow
    {QPalette::Disabled, QPalette::Text},          // 17 grey text
    {QPalette::Active, QPalette::ButtonText},      // 18 button text
    {QPalette::Inactive, QPalette::Text},          // 19 inactive caption text
    {QPalette::Active, QPalette::Light},           // 20 button highlight
    {QPalette::Active, QPalette::Shadow},          // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},     // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},     // 24 info background
}};

} // namespace

QColor ToQColor(TColor color, const QPalette& palette)
{
    if (color == kNoColor) {
        return {};
    }
    if ((color & 0xFF000000) == kSystemColorFlag) {
        const TColor index = color & 0xFF;
        if (index >= kSystemColors.size()) {
            return QColor(Qt::black);
        }
        const SystemColorRole& entry = kSystemColors[index];
        return palette.color(entry.group, entry.role);
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

} // namespace varnok
