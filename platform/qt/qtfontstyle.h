#pragma once

#include <QFont>

namespace varnok {

// The style flags that the program's font records (grid fonts, print fonts, the font
// dialog's choice) share with QFont, carried over in one place.

/** Sets bold, italic, underline and strike-out of `font` as `style` has them. */
template <class Style> void SetQFontStyle(QFont& font, const Style& style)
{
    font.setBold(style.Bold);
    font.setItalic(style.Italic);
    font.setUnderline(style.Underline);
    font.setStrikeOut(style.StrikeOut);
}

/** Sets bold, italic, underline and strike-out of `style` as `font` has them. */
template <class Style> void TakeQFontStyle(Style& style, const QFont& font)
{
    style.Bold = font.bold();
    style.Italic = font.italic();
    style.Underline = font.underline();
    style.StrikeOut = font.strikeOut();
}

} // namespace varnok
