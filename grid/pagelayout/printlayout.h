#pragma once

#include <functional>
#include <vector>

#include "grid/pagelayout/printcells.h"
#include "grid/pagelayout/printsettings.h"

namespace varnok {

class PrintClock;
class TBaseGrid;
class TextCanvas;

// Where a page begins: the index of its page across and its first row of the range.
struct PageStart {
    int ColumnPage = 0;
    int FirstRow = 0;
    bool operator==(const PageStart&) const = default;
};

// Everything one run of the page layout reads.
struct PrintJob {
    const TBaseGrid& Grid;
    const TPrintSettings& Settings;
    const TPrintState& State; // range, pages to draw, page area, screen resolution
    const PrintClock& Clock;
    PrintCellColors Colors;
    // Where each page begins, one entry per page: counting runs fill it; drawing runs that
    // find FromPage in it start laying out there, not at the first page. The entries must
    // come from a count of the same cells, settings and page area.
    std::vector<PageStart>* Starts = nullptr;
};

/** Lays the state's range of cells out in pages on `canvas` (in 0.1 mm): pages across for the
 * columns, and within each, pages down for the rows, with the header and footer texts and borders.
 * Counting methods only count; drawing methods draw the pages FromPage to ToPage, call `newPage`
 * before each drawn page but the first, and stop after ToPage. With the job's Starts, counting
 * records where each page begins and drawing skips the pages before FromPage without laying them
 * out. `pageCount` is the count the page numbers show. Returns the number of pages laid out. */
[[nodiscard]] int BuildPages(TextCanvas& canvas, TPrintMethod method, int pageCount,
                             const PrintJob& job, const std::function<void()>& newPage);

} // namespace varnok
