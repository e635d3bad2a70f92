#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/canvastypes.h"

namespace varnok {

class GridGeometry;
class TBaseGrid;
class TextCanvas;

// Draws grid cells through a TextCanvas only, so the screen and the printer share it:
// fixed cells in FixedFont on the button face, normal cells in Font on the window colour,
// selected normal cells in the highlight colours, silver 1-pixel grid lines right of and
// below every cell, and the cell texts top-left aligned, wrapped and clipped.
class GridRenderer {
public:
    static constexpr TColor kColor = clWindow;
    static constexpr TColor kFixedColor = clBtnFace;
    static constexpr TColor kGridLineColor = clSilver;
    static constexpr TColor kFocusFrameColor = clWindowText;
    static constexpr TColor kHighlightColor = 0x8000000D;     // system colour "highlight"
    static constexpr TColor kHighlightTextColor = 0x8000000E; // system colour "highlight text"
    // The text starts this far right of and below the cell's corner, and ends this far
    // inside its right edge.
    static constexpr int kTextOffset = 2;
    // Room the sort indicator takes at the right of the sorted column's header text.
    static constexpr int kPlainIndicatorRoom = 14;
    static constexpr int kMarkupIndicatorRoom = 10;

    struct Options {
        bool ShowSelection = true;   // highlight the cells of Selection
        bool ShowFocusFrame = false; // frame the focused cell (Col, Row)
    };

    explicit GridRenderer(const TBaseGrid& grid);
    virtual ~GridRenderer() = default;
    GridRenderer(const GridRenderer&) = delete;
    GridRenderer& operator=(const GridRenderer&) = delete;

    /** Paints the whole viewport `geometry` describes: cells, grid lines and the empty area beyond
     * the table. */
    void PaintViewport(TextCanvas& canvas, const GridGeometry& geometry,
                       const Options& options) const;
    /** Paints one cell's background and text into `cellRect` (grid lines excluded). */
    void PaintCell(TextCanvas& canvas, int col, int row, const TextRect& cellRect,
                   bool selected) const;
    /** The rectangle a plain-text cell's text is laid out in. */
    [[nodiscard]] TextRect PlainTextArea(int col, int row, const TextRect& cellRect) const;
    /** The rectangle a markup cell's text is laid out in. */
    [[nodiscard]] TextRect MarkupTextArea(int col, int row, const TextRect& cellRect) const;
    /** The target (as the tag writes it) of the anchor under the point (x, y) in the markup cell
     * drawn in `cellRect`; nothing when the point lies on no anchor. */
    [[nodiscard]] std::optional<std::string> AnchorAt(TextCanvas& canvas, int col, int row,
                                                      const TextRect& cellRect, int x, int y) const;
    /** Whether the cell is the header of the sorted column, which shows the sort indicator. */
    [[nodiscard]] bool HasSortIndicator(int col, int row) const;
    [[nodiscard]] bool IsFixedCell(int col, int row) const;
    [[nodiscard]] bool IsSelected(int col, int row) const;

protected:
    [[nodiscard]] const TBaseGrid& Grid() const { return m_grid; }
    [[nodiscard]] const TGridFont& CellFont(int col, int row) const;

    /**
     * Draws a markup cell's text into its area through the markup layout: anchors in the
     * grid's URLColor, or in the selection's text colour when the cell is drawn selected.
     */
    virtual void DrawMarkupText(TextCanvas& canvas, int col, int row, const TGridFont& font,
                                TColor textColor, std::string_view text, const TextRect& area,
                                bool selected) const;
    /** Draws the sort indicator centred on (x, y): a triangle pointing the sort's way. */
    virtual void DrawSortIndicator(TextCanvas& canvas, int col, int x, int y) const;

private:
    void paintBlock(TextCanvas& canvas, const GridGeometry& geometry, int firstCol, int lastCol,
                    int firstRow, int lastRow, const Options& options) const;
    void paintGridLines(TextCanvas& canvas, const TextRect& cellRect) const;
    void paintFocusFrame(TextCanvas& canvas, const TextRect& cellRect) const;
    void drawText(TextCanvas& canvas, int col, int row, const TextRect& cellRect,
                  bool selected) const;

    const TBaseGrid& m_grid;
};

} // namespace varnok
