#pragma once

#include <string_view>

#include "platform/canvastypes.h"

inline constexpr TColor clBlack = 0x00000000;
inline constexpr TColor clRed = 0x000000FF;
inline constexpr TColor clBlue = 0x00FF0000;
inline constexpr TColor clGray = 0x00808080;
inline constexpr TColor clHighlight = 0x8000000D;
inline constexpr TColor clHighlightText = 0x8000000E;

/**
 * The colour a markup attribute names: "#" and six hexadecimal digits (red, green, blue),
 * or one of the colour names "clred" ... "clinfobk" in any letter case, the system colour
 * names giving system colour values; any other value is black.
 */
[[nodiscard]] TColor MarkupColor(std::string_view value);
