#pragma once

#include <string_view>
#include <vector>

#include "grid/pagelayout/printsettings.h"
#include "platform/canvastypes.h"

namespace varnok {

class TBaseGrid;
class TextCanvas;
struct PrintMetrics;

// The lines one border scheme prints.
struct BorderScheme {
    bool CellTopBottom = false;
    bool CellLeftRight = false;
    bool Frame = false;            // a rectangle around the printed block of a page
    bool BottomLine = false;       // a line across the block under its last row
    bool FixedColumnLines = false; // a line at the left edge of each repeated fixed column
};

// The block of cells one page holds, in 0.1 mm, for its frame lines.
struct PrintedBlock {
    int Left = 0;
    int Right = 0;
    int Top = 0;
    int Bottom = 0; // lower edge of the last row
    std::vector<int> FixedColumnLefts;
};

// Colours of printed cells.
struct PrintCellColors {
    TColor Background = 0x00FFFFFF;
    TColor Anchor = 0x00FF0000;
};

// Draws printed cells and page frames: every cell in the table font, left-aligned from its
// top, on the background colour, with the lines of the border scheme.
class PrintCellPainter {
public:
    PrintCellPainter(const TBaseGrid& grid, const TPrintSettings& settings,
                     const PrintMetrics& metrics, PrintCellColors colors);

    /** Background, text and borders of (col, row) in `rect`; a `cut` cell has no bottom line. */
    void DrawCell(TextCanvas& canvas, int col, int row, const TextRect& rect, bool cut) const;
    /** The frame lines of the scheme around a page's block of cells. */
    void DrawPageFrame(TextCanvas& canvas, const PrintedBlock& block) const;

private:
    void drawText(TextCanvas& canvas, std::string_view text, const TextRect& rect) const;
    void drawLines(TextCanvas& canvas, std::string_view text, const TextRect& rect) const;
    void drawBorders(TextCanvas& canvas, const TextRect& rect, bool cut) const;

    const TBaseGrid& m_grid;
    const TPrintSettings& m_settings;
    const PrintMetrics& m_metrics;
    PrintCellColors m_colors;
    BorderScheme m_scheme;
};

} // namespace varnok
