#pragma once

#include <cstdint>
#include <string>

namespace varnok {

// 32-bit colour value: red in the lowest byte, then green and blue; a top byte of 0x80
// names a system colour by its index in the low byte; kNoColor means none.
using TColor = std::uint32_t;
inline constexpr TColor kNoColor = 0x1FFFFFFF;
inline constexpr TColor clSilver = 0x00C0C0C0;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clWindow = 0x80000005;
inline constexpr TColor clWindowText = 0x80000008;
inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clRed = 0x000000FF;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clGray = 0x00808080;
inline constexpr TColor clHighlight = 0x8000000D;
inline constexpr TColor clHighlightText = 0x8000000E;

// A font as the grid keeps it: face name, character height in the canvas's units (pixels
// on screen; the absolute value of a negative font height) and style.
struct TGridFont {
    std::string Name = "Tahoma";
    int Height = 11;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    TColor Color = clWindowText;
    bool operator==(const TGridFont&) const = default;
};

// Line styles of a pen, as the print settings name them.
enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

// A pen for lines and frames. Width is in the canvas's units; 0 draws the thinnest line
// the device can show (one device pixel), whatever the units.
struct TPen {
    TColor Color = 0;
    TPenStyle Style = psSolid;
    int Width = 0;
    bool operator==(const TPen&) const = default;
};

struct TextExtent {
    int Width = 0;
    int Height = 0;
};

struct TextRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

} // namespace varnok
