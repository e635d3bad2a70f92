#pragma once

namespace varnok {

class TBaseGrid;
class TextCanvas;

// Row heights that follow the texts, the way the result list has always sized its rows;
// the column widths come from the grid as they are (see columnfit.h for fitting those).

/** Sizes every row (from row 0 when includeFixedRows, else from the first normal row) to
 * its texts as measured on `canvas`; the observer hears of it once. */
void AutoSizeRows(TBaseGrid& grid, TextCanvas& canvas, bool includeFixedRows);

/** Sizes the one row `row` to its texts; a row outside the table is left alone. */
void AutoSizeRow(TBaseGrid& grid, TextCanvas& canvas, int row);

} // namespace varnok
