#pragma once

#include <string_view>

#include "platform/canvastypes.h"

namespace varnok {

class TextCanvas;

/** Height of a cell text at `width` pixels in `font` by its text class: plain and rich text wrapped
 * as plain text, markup through the markup layout, a formula 0. */
[[nodiscard]] int MeasureCellHeight(TextCanvas& canvas, const TGridFont& font,
                                    std::string_view text, int width, bool enableHTML);

/** Width of a cell text in `font` as it is drawn without wrapping: the widest of its lines (CR, LF
 * and CR LF end a line); markup through the markup layout, rich text by the plain text it shows. */
[[nodiscard]] int MeasureCellWidth(TextCanvas& canvas, const TGridFont& font, std::string_view text,
                                   bool enableHTML);

/** The widest of the lines of `text` (CR, LF and CR LF end a line) in `font`. */
[[nodiscard]] int MeasureWidestLine(TextCanvas& canvas, const TGridFont& font,
                                    std::string_view text);

} // namespace varnok
