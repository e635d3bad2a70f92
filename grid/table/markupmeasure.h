#pragma once

#include <string_view>

#include "platform/canvastypes.h"

namespace varnok {

class TextCanvas;

// Markup texts measured by the markup layout without drawing, in a box 65535 high.

/** Height of a markup cell text for row sizing in a column `columnWidth` wide: laid out in the
 * width the cell draws its markup in, so a row sized to its text shows all of it. */
[[nodiscard]] int MeasureMarkupHeight(TextCanvas& canvas, const TGridFont& font,
                                      std::string_view text, int columnWidth);

/** Width of a markup cell text laid out in a box 65535 wide, from the text area's left edge to the
 * end of its widest line, for fitting a column to its texts. */
[[nodiscard]] int MeasureMarkupWidth(TextCanvas& canvas, const TGridFont& font,
                                     std::string_view text);

} // namespace varnok
