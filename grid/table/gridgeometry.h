#pragma once

#include <cstdint>
#include <vector>

#include "platform/canvastypes.h"

namespace varnok {

class TBaseGrid;

// A cell address as hit tests return it; (-1, -1) means no cell.
struct GridCell {
    int Col = -1;
    int Row = -1;
    bool operator==(const GridCell&) const = default;
};

// An inclusive index range; empty when Last < First.
struct GridRange {
    int First = 0;
    int Last = -1;
    [[nodiscard]] bool IsEmpty() const { return Last < First; }
    bool operator==(const GridRange&) const = default;
};

// Where the cells of a grid lie in a viewport, as plain arithmetic. Every cell is followed
// by a 1-pixel grid line on its right and below it. The fixed columns and rows stay in
// place; the other rows scroll row by row (TopRow is the first one shown under the fixed
// rows) and the other columns scroll by pixels (OffsetX).
//
// Row positions are prefix sums, rebuilt on first use after Invalidate(), so positions
// and hit tests stay logarithmic for tens of thousands of rows. Whoever changes sizes or
// counts of the grid must call Invalidate() before the next query.
class GridGeometry {
public:
    static constexpr int kGridLineWidth = 1;
    // How far from a column or row border the pointer may be to grab it.
    static constexpr int kBorderTolerance = 3;

    explicit GridGeometry(const TBaseGrid& grid);

    /** Drops the cached positions; the next query rebuilds them from the grid. */
    void Invalidate();

    /** Left edge of `col` in the unscrolled table; ColLeft(ColCount) is the table's width. */
    [[nodiscard]] std::int64_t ColLeft(int col) const;
    /** Top edge of `row` in the unscrolled table; RowTop(RowCount) is the table's height. */
    [[nodiscard]] std::int64_t RowTop(int row) const;
    /** Width of the fixed columns with their grid lines. */
    [[nodiscard]] int FixedWidth() const;
    /** Height of the fixed rows with their grid lines. */
    [[nodiscard]] int FixedHeight() const;

    void SetViewportSize(int width, int height);
    [[nodiscard]] int ViewportWidth() const { return m_viewportWidth; }
    [[nodiscard]] int ViewportHeight() const { return m_viewportHeight; }

    /** Scrolls so that `row` is the first row under the fixed rows (clamped to the scroll range).
     */
    void SetTopRow(int row);
    [[nodiscard]] int TopRow() const;
    /** Scrolls the non-fixed columns `offset` pixels to the left (clamped to the scroll range). */
    void SetOffsetX(int offset);
    [[nodiscard]] int OffsetX() const;
    /** The first scrollable row, where the vertical scroll range starts. */
    [[nodiscard]] int MinTopRow() const;
    /** The highest TopRow that still fills the viewport down to the last row. */
    [[nodiscard]] int MaxTopRow() const;
    [[nodiscard]] int MaxOffsetX() const;

    /** Viewport rectangle of a cell without its grid lines (it may lie outside the viewport). */
    [[nodiscard]] TextRect CellRect(int col, int row) const;
    /** The cell under a viewport point, its grid lines included, or (-1, -1). */
    [[nodiscard]] GridCell CellAt(int x, int y) const;
    [[nodiscard]] int ColAt(int x) const;
    [[nodiscard]] int RowAt(int y) const;

    /** Scrollable rows at least partly inside the viewport. */
    [[nodiscard]] GridRange VisibleScrollRows() const;
    /** Scrollable columns at least partly inside the viewport. */
    [[nodiscard]] GridRange VisibleScrollCols() const;
    /** Scrollable rows wholly visible from TopRow on; at least 1 (a page for PgUp/PgDn). */
    [[nodiscard]] int FullyVisibleRowCount() const;

    /** TopRow after the least scrolling that shows `row` wholly (or its top, if it is taller than
     * the viewport). */
    [[nodiscard]] int TopRowToShow(int row) const;
    /** TopRowToShow as if the table were scrolled to `fromTop` first (clamped to the scroll range).
     */
    [[nodiscard]] int TopRowToShow(int row, int fromTop) const;
    /** OffsetX after the least scrolling that shows `col` (its left part first, if it is wider than
     * the viewport). */
    [[nodiscard]] int OffsetXToShow(int col) const;

    /** The column whose right border lies within the tolerance of x, for a point in the fixed rows;
     * else -1. */
    [[nodiscard]] int ColBorderAt(int x, int y) const;
    /** The row whose lower border lies within the tolerance of y, for a point in the fixed columns;
     * else -1. */
    [[nodiscard]] int RowBorderAt(int x, int y) const;

private:
    void ensureLayout() const;
    [[nodiscard]] int colCount() const;
    [[nodiscard]] int rowCount() const;
    [[nodiscard]] int colScreenLeft(int col) const;
    [[nodiscard]] int rowScreenTop(int row) const;
    [[nodiscard]] int scrollAreaHeight() const;
    [[nodiscard]] int firstRowAtOrAfter(std::int64_t contentY) const;
    [[nodiscard]] int rowContaining(std::int64_t contentY) const;

    const TBaseGrid& m_grid;
    int m_viewportWidth = 0;
    int m_viewportHeight = 0;
    int m_requestedTopRow = 0;
    int m_requestedOffsetX = 0;

    // Cached from the grid; valid while !m_dirty.
    mutable bool m_dirty = true;
    mutable std::vector<std::int64_t> m_colLefts; // ColCount + 1 entries
    mutable std::vector<std::int64_t> m_rowTops;  // RowCount + 1 entries
    mutable int m_fixedCols = 0;
    mutable int m_fixedRows = 0;
};

} // namespace varnok
