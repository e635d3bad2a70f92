#pragma once

#include <string_view>

#include "platform/canvastypes.h"

class TextCanvas;

// Markup texts measured by the markup layout without drawing, in a box 65535 high.

/**
 * Height of a markup cell text for row sizing in a column `columnWidth` wide: laid out in
 * the width the cell draws its markup in, so a row sized to its text shows all of it.
 */
[[nodiscard]] int MeasureMarkupHeight(TextCanvas& canvas, const TGridFont& font,
                                      std::string_view text, int columnWidth);

/** Width and height of a markup text laid out in a box 65535 wide, to fit a column to it. */
[[nodiscard]] TextExtent MeasureMarkupExtent(TextCanvas& canvas, const TGridFont& font,
                                             std::string_view text);
