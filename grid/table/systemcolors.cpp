#include "grid/table/systemcolors.h"

namespace varnok {

namespace {

constexpr TColor systemColorFlag = 0x80000000;
constexpr TColor rgbMask = 0x00FFFFFF;

// Index order of the system colours: scroll bar, background, active caption, inactive
// caption, menu, window, window frame, menu text, window text, caption text, active
// border, inactive border, application workspace, highlight, highlight text, button
// face, button shadow, grey text, button text, inactive caption text, button highlight,
// 3D dark shadow, 3D light, info text, info background, (unused), hot light, gradient
// active caption, gradient inactive caption, menu highlight, menu bar.
constexpr std::array<TColor, TSystemColorTable::kSize> classicScheme = {
    RGBColor(0xC0, 0xC0, 0xC0), RGBColor(0x00, 0x80, 0x80), RGBColor(0x00, 0x00, 0x80),
    RGBColor(0x80, 0x80, 0x80), RGBColor(0xC0, 0xC0, 0xC0), RGBColor(0xFF, 0xFF, 0xFF),
    RGBColor(0x00, 0x00, 0x00), RGBColor(0x00, 0x00, 0x00), RGBColor(0x00, 0x00, 0x00),
    RGBColor(0xFF, 0xFF, 0xFF), RGBColor(0xC0, 0xC0, 0xC0), RGBColor(0xC0, 0xC0, 0xC0),
    RGBColor(0x80, 0x80, 0x80), RGBColor(0x00, 0x00, 0x80), RGBColor(0xFF, 0xFF, 0xFF),
    RGBColor(0xC0, 0xC0, 0xC0), RGBColor(0x80, 0x80, 0x80), RGBColor(0x80, 0x80, 0x80),
    RGBColor(0x00, 0x00, 0x00), RGBColor(0xC0, 0xC0, 0xC0), RGBColor(0xFF, 0xFF, 0xFF),
    RGBColor(0x00, 0x00, 0x00), RGBColor(0xDF, 0xDF, 0xDF), RGBColor(0x00, 0x00, 0x00),
    RGBColor(0xFF, 0xFF, 0xE1), RGBColor(0xB5, 0xB5, 0xB5), RGBColor(0x00, 0x00, 0x80),
    RGBColor(0x10, 0x84, 0xD0), RGBColor(0xB5, 0xB5, 0xB5), RGBColor(0x00, 0x00, 0x80),
    RGBColor(0xC0, 0xC0, 0xC0)};

} // namespace

TSystemColorTable::TSystemColorTable() : m_colors(classicScheme) {}

TColor TSystemColorTable::Resolve(TColor color) const
{
    if ((color & 0xFF000000) != systemColorFlag)
        return color & rgbMask;
    const TColor index = color & 0xFF;
    return index < m_colors.size() ? m_colors[index] : RGBColor(0, 0, 0);
}

void TSystemColorTable::Set(int index, TColor rgb)
{
    if (index >= 0 && index < kSize)
        m_colors[static_cast<std::size_t>(index)] = rgb & rgbMask;
}

} // namespace varnok
