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

/**
 * Width of a markup cell text laid out without a width limit, for fitting a column to its
 * texts. Until the markup layout engine measures here, this is the widest line of the
 * text's plain-text form.
 */
[[nodiscard]] int MeasureMarkupWidth(TextCanvas& canvas, const TGridFont& font,
                                     std::string_view text);
