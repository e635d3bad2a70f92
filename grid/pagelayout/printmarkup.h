#pragma once

#include <string_view>

#include "platform/canvastypes.h"

namespace varnok {

class TextCanvas;

// Markup cells and titles on a printed page, laid out in the page's own units.

/**
 * Draws a markup text into `rect` on a transparent background, anchors in `anchorColor`; a
 * run too long for its line goes on in the next line instead of past the edge.
 */
void DrawPrintMarkup(TextCanvas& canvas, const TGridFont& font, TColor anchorColor,
                     std::string_view text, const TextRect& rect);

} // namespace varnok
