#pragma once

#include <vector>

#include "grid/pagelayout/printcolumns.h"

namespace varnok {

class TBaseGrid;
class TextCanvas;
struct PrintMetrics;
struct TPrintSettings;

// Heights of printed rows in 0.1 mm: the tallest cell of the row over the range's columns
// plus an eighth of it, twice the pad and the row spacing. The height of the row measured
// last is remembered, since the page-break test and the drawing ask for the same row in turn.
class PrintRowHeights {
public:
    PrintRowHeights(const TBaseGrid& grid, const TPrintSettings& settings,
                    const PrintMetrics& metrics, std::vector<PrintColumn> columns);

    /** The printed height of `row`. */
    [[nodiscard]] int Height(TextCanvas& canvas, int row);

private:
    [[nodiscard]] int Measure(TextCanvas& canvas, int row) const;
    // The height the text of (col, row) takes at `width`.
    [[nodiscard]] int CellHeight(TextCanvas& canvas, int col, int row, int width) const;

    const TBaseGrid& m_grid;
    const TPrintSettings& m_settings;
    const PrintMetrics& m_metrics;
    std::vector<PrintColumn> m_columns;
    int m_lastRow = -1;
    int m_lastHeight = 0;
};

} // namespace varnok
