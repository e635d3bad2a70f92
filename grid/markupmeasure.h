#pragma once

#include <string_view>

#include "platform/canvastypes.h"

class TextCanvas;

/**
 * Height of a markup cell text laid out at `width` pixels (height limit 65535) for row
 * sizing. Until the markup layout engine measures here, the text's plain-text form is
 * measured as plain text, which gives the same line count for the address anchors the
 * grid holds.
 */
[[nodiscard]] int MeasureMarkupHeight(TextCanvas& canvas, const TGridFont& font,
                                      std::string_view text, int width);
