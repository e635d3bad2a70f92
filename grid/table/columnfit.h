#pragma once

namespace varnok {

class TBaseGrid;
class TextCanvas;

/** The width that fits column `col` to its widest text as drawn (fixed cells in FixedFont, the
 * others in Font) with room for the grid lines on both sides and the text's margins. */
[[nodiscard]] int FittedColumnWidth(TextCanvas& canvas, const TBaseGrid& grid, int col);

} // namespace varnok
