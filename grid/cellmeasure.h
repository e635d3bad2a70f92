#pragma once

#include <string_view>

#include "platform/canvastypes.h"

class TextCanvas;

/**
 * Height of a cell text at `width` pixels in `font` by its text class: plain and rich text
 * wrapped as plain text, markup through the markup layout, a formula 0.
 */
[[nodiscard]] int MeasureCellHeight(TextCanvas& canvas, const TGridFont& font,
                                    std::string_view text, int width, bool enableHTML);
