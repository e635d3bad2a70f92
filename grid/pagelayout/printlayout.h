#pragma once

#include <functional>

#include "grid/pagelayout/printcells.h"
#include "grid/pagelayout/printsettings.h"

class PrintClock;
class TBaseGrid;
class TextCanvas;

// Everything one run of the page layout reads.
struct PrintJob {
    const TBaseGrid& Grid;
    const TPrintSettings& Settings;
    const TPrintState& State; // range, pages to draw, page area, screen resolution
    const PrintClock& Clock;
    PrintCellColors Colors;
};

/**
 * Lays the state's range of cells out in pages on `canvas` (in 0.1 mm): pages across for
 * the columns, and within each, pages down for the rows, with the header and footer texts
 * and borders. Counting methods only count; drawing methods draw the pages FromPage to
 * ToPage, call `newPage` before each drawn page but the first, and stop after ToPage.
 * `pageCount` is the count the page numbers show. Returns the number of pages laid out.
 */
[[nodiscard]] int BuildPages(TextCanvas& canvas, TPrintMethod method, int pageCount,
                             const PrintJob& job, const std::function<void()>& newPage);
