#pragma once

#include <vector>

#include "grid/pagelayout/printsettings.h"
#include "grid/table/gridtypes.h"

namespace varnok {

class TBaseGrid;
class TextCanvas;
struct PrintMetrics;

// One column as a page prints it: its print width and where it starts, in 0.1 mm.
struct PrintColumn {
    int Col = 0;
    int Width = 0;
    int X = 0;
};

// The columns one page across holds: the repeated fixed columns first, then its own.
struct ColumnPage {
    std::vector<PrintColumn> Fixed;
    std::vector<PrintColumn> Columns;
    /** Its one column is wider than the room across the page, so the paper cuts it off. */
    bool Overflows = false;
    /** Left edge of the first column printed, fixed ones included. */
    [[nodiscard]] int Left() const;
    /** Right edge of the last column, its spacing included. */
    [[nodiscard]] int Right(int spacing) const;
};

// What splitting the range's columns into pages across depends on.
struct ColumnPageRules {
    int FirstCol = 0;    // grid column of widths[0]
    int RepeatCount = 0; // leading columns repeated on every further page across
    int Spacing = 0;     // added to every column's width
    int PageWidth = 0;
    int LeftSize = 0;
    int RightSize = 0;
    bool Centered = true;
    /** Where the first column starts: 0 when centred, else the left margin. */
    [[nodiscard]] int Start() const { return Centered ? 0 : LeftSize; }
    /** The width across the page that columns may take, from Start() to the right margin. */
    [[nodiscard]] int Room() const { return PageWidth - RightSize - Start(); }
};

/** Print widths of the columns range.Left to range.Right: the screen widths less 4 pixels scaled to
 * 0.1 mm, or (with NoAutoSize off) the widest cell text of the range's rows. */
[[nodiscard]] std::vector<int> PrintColumnWidths(TextCanvas& canvas, const TBaseGrid& grid,
                                                 const TPrintSettings& settings,
                                                 const PrintMetrics& metrics,
                                                 const TGridRect& range);

/** Scales `widths` so that they with their spacing fill `room`, as `fit` allows. */
void FitColumnWidths(std::vector<int>& widths, TFitToPage fit, int room, int spacing);

/** Applies the settings' column rules to the widths of the columns from `firstCol` on: the sample
 * column grows to hold its sample text, then the fill column takes what `room` (the width across
 * the page) leaves beside the others. A fill column that would get less than a narrow column's
 * width keeps its own width (at most the room), so the pages across still hold every column. */
void ApplyColumnWidthRules(std::vector<int>& widths, TextCanvas& canvas,
                           const TPrintSettings& settings, const PrintMetrics& metrics,
                           int firstCol, int room);

/**
 * The pages across: each takes columns while they fit within the page width less the right
 * margin (at least one column, however wide), and places them, centred when asked. Every page
 * after the first repeats the fixed columns only when the next column still fits beside them;
 * otherwise that page shows its own columns alone, so no column is pushed off the paper.
 */
[[nodiscard]] std::vector<ColumnPage> SplitColumnPages(const std::vector<int>& widths,
                                                       const ColumnPageRules& rules);

} // namespace varnok
