#include "grid/table/gridgeometry.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "grid/table/basegrid.h"

namespace varnok {

namespace {

int clampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// Sums of sizes, each followed by its grid line; a negative size counts as 0.
template <typename SizeOf>
void buildEdges(std::vector<std::int64_t>& edges, int count, SizeOf sizeOf)
{
    edges.resize(static_cast<std::size_t>(count) + 1);
    edges[0] = 0;
    for (int i = 0; i < count; ++i) {
        const std::int64_t size = std::max(sizeOf(i), 0) + GridGeometry::kGridLineWidth;
        edges[static_cast<std::size_t>(i) + 1] = edges[static_cast<std::size_t>(i)] + size;
    }
}

} // namespace

GridGeometry::GridGeometry(const TBaseGrid& grid) : m_grid(grid) {}

void GridGeometry::Invalidate()
{
    m_dirty = true;
}

void GridGeometry::ensureLayout() const
{
    if (!m_dirty) {
        return;
    }
    buildEdges(m_colLefts, m_grid.GetColCountEx(), [this](int c) { return m_grid.ColWidth(c); });
    buildEdges(m_rowTops, m_grid.GetRowCountEx(), [this](int r) { return m_grid.RowHeight(r); });
    m_fixedCols = std::clamp(m_grid.GetFixedColsEx(), 0, colCount());
    m_fixedRows = std::clamp(m_grid.GetFixedRowsEx(), 0, rowCount());
    m_dirty = false;
}

int GridGeometry::colCount() const
{
    return static_cast<int>(m_colLefts.size()) - 1;
}

int GridGeometry::rowCount() const
{
    return static_cast<int>(m_rowTops.size()) - 1;
}

std::int64_t GridGeometry::ColLeft(int col) const
{
    ensureLayout();
    return m_colLefts[static_cast<std::size_t>(std::clamp(col, 0, colCount()))];
}

std::int64_t GridGeometry::RowTop(int row) const
{
    ensureLayout();
    return m_rowTops[static_cast<std::size_t>(std::clamp(row, 0, rowCount()))];
}

int GridGeometry::FixedWidth() const
{
    ensureLayout();
    return clampToInt(ColLeft(m_fixedCols));
}

int GridGeometry::FixedHeight() const
{
    ensureLayout();
    return clampToInt(RowTop(m_fixedRows));
}

void GridGeometry::SetViewportSize(int width, int height)
{
    m_viewportWidth = std::max(width, 0);
    m_viewportHeight = std::max(height, 0);
}

void GridGeometry::SetTopRow(int row)
{
    m_requestedTopRow = row;
    m_requestedTopRow = TopRow();
}

int GridGeometry::TopRow() const
{
    return std::clamp(m_requestedTopRow, MinTopRow(), MaxTopRow());
}

void GridGeometry::SetOffsetX(int offset)
{
    m_requestedOffsetX = offset;
    m_requestedOffsetX = OffsetX();
}

int GridGeometry::OffsetX() const
{
    return std::clamp(m_requestedOffsetX, 0, MaxOffsetX());
}

int GridGeometry::MinTopRow() const
{
    ensureLayout();
    return m_fixedRows;
}

int GridGeometry::scrollAreaHeight() const
{
    return m_viewportHeight - FixedHeight();
}

// The first row whose top is at or below contentY.
int GridGeometry::firstRowAtOrAfter(std::int64_t contentY) const
{
    ensureLayout();
    const auto end = m_rowTops.begin() + rowCount();
    return static_cast<int>(std::lower_bound(m_rowTops.begin(), end, contentY) - m_rowTops.begin());
}

// The row whose cell or lower grid line holds contentY (rowCount() when below the table).
int GridGeometry::rowContaining(std::int64_t contentY) const
{
    ensureLayout();
    const auto end = m_rowTops.begin() + rowCount() + 1;
    return static_cast<int>(std::upper_bound(m_rowTops.begin(), end, contentY) -
                            m_rowTops.begin()) -
           1;
}

int GridGeometry::MaxTopRow() const
{
    ensureLayout();
    const int lastRow = rowCount() - 1;
    if (lastRow < m_fixedRows) {
        return m_fixedRows;
    }
    // The lowest top row from which everything down to the table's end fits.
    const std::int64_t firstTopAllowed = RowTop(rowCount()) - scrollAreaHeight();
    const int top = firstRowAtOrAfter(firstTopAllowed);
    return std::clamp(top, m_fixedRows, lastRow);
}

int GridGeometry::MaxOffsetX() const
{
    ensureLayout();
    return clampToInt(std::max<std::int64_t>(0, ColLeft(colCount()) - m_viewportWidth));
}

int GridGeometry::colScreenLeft(int col) const
{
    ensureLayout();
    const std::int64_t left = ColLeft(col);
    return clampToInt(col < m_fixedCols ? left : left - OffsetX());
}

int GridGeometry::rowScreenTop(int row) const
{
    ensureLayout();
    const std::int64_t top = RowTop(row);
    return clampToInt(row < m_fixedRows ? top : top - RowTop(TopRow()) + FixedHeight());
}

TextRect GridGeometry::CellRect(int col, int row) const
{
    const int left = colScreenLeft(col);
    const int top = rowScreenTop(row);
    return {left, top, left + std::max(m_grid.ColWidth(col), 0),
            top + std::max(m_grid.RowHeight(row), 0)};
}

int GridGeometry::ColAt(int x) const
{
    ensureLayout();
    if (x < 0 || x >= m_viewportWidth) {
        return -1;
    }
    const std::int64_t contentX = x < FixedWidth() ? x : std::int64_t{x} + OffsetX();
    const auto end = m_colLefts.begin() + colCount() + 1;
    const int col =
        static_cast<int>(std::upper_bound(m_colLefts.begin(), end, contentX) - m_colLefts.begin()) -
        1;
    return col < colCount() ? col : -1;
}

int GridGeometry::RowAt(int y) const
{
    ensureLayout();
    if (y < 0 || y >= m_viewportHeight) {
        return -1;
    }
    const std::int64_t contentY =
        y < FixedHeight() ? y : std::int64_t{y} - FixedHeight() + RowTop(TopRow());
    const int row = rowContaining(contentY);
    return row < rowCount() ? row : -1;
}

GridCell GridGeometry::CellAt(int x, int y) const
{
    const int col = ColAt(x);
    const int row = RowAt(y);
    if (col < 0 || row < 0) {
        return {};
    }
    return {col, row};
}

GridRange GridGeometry::VisibleScrollRows() const
{
    ensureLayout();
    const int top = TopRow();
    if (scrollAreaHeight() <= 0 || top >= rowCount()) {
        return {top, top - 1};
    }
    const std::int64_t bottom = RowTop(top) + scrollAreaHeight();
    return {top, std::min(rowContaining(bottom - 1), rowCount() - 1)};
}

GridRange GridGeometry::VisibleScrollCols() const
{
    ensureLayout();
    GridRange range{m_fixedCols, m_fixedCols - 1};
    bool found = false;
    for (int col = m_fixedCols; col < colCount(); ++col) {
        const int left = colScreenLeft(col);
        const int right = left + std::max(m_grid.ColWidth(col), 0) + kGridLineWidth;
        if (right <= FixedWidth() || left >= m_viewportWidth) {
            continue;
        }
        if (!found) {
            range.First = col;
            found = true;
        }
        range.Last = col;
    }
    return range;
}

int GridGeometry::FullyVisibleRowCount() const
{
    ensureLayout();
    const int top = TopRow();
    const std::int64_t bottom = RowTop(top) + scrollAreaHeight();
    int count = 0;
    for (int row = top; row < rowCount() && RowTop(row + 1) - kGridLineWidth <= bottom; ++row) {
        ++count;
    }
    return std::max(count, 1);
}

int GridGeometry::TopRowToShow(int row) const
{
    return TopRowToShow(row, TopRow());
}

int GridGeometry::TopRowToShow(int row, int fromTop) const
{
    ensureLayout();
    const int top = std::clamp(fromTop, MinTopRow(), MaxTopRow());
    if (row < m_fixedRows || row >= rowCount()) {
        return top;
    }
    if (row <= top) {
        return std::max(row, MinTopRow());
    }
    // The lowest top row that still shows the row's lower edge, but never below the row.
    const std::int64_t firstTopAllowed = RowTop(row + 1) - kGridLineWidth - scrollAreaHeight();
    const int lowestTop = std::min(firstRowAtOrAfter(firstTopAllowed), row);
    return std::clamp(std::max(top, lowestTop), MinTopRow(), MaxTopRow());
}

int GridGeometry::OffsetXToShow(int col) const
{
    ensureLayout();
    int offset = OffsetX();
    if (col < m_fixedCols || col >= colCount()) {
        return offset;
    }
    const std::int64_t leftLimit = ColLeft(col) - FixedWidth();
    const std::int64_t rightLimit = ColLeft(col + 1) - kGridLineWidth - m_viewportWidth;
    if (offset < rightLimit) {
        offset = clampToInt(rightLimit);
    }
    if (offset > leftLimit) {
        offset = clampToInt(leftLimit);
    }
    return std::clamp(offset, 0, MaxOffsetX());
}

int GridGeometry::ColBorderAt(int x, int y) const
{
    ensureLayout();
    if (m_fixedRows == 0 || y < 0 || y >= std::min(FixedHeight(), m_viewportHeight)) {
        return -1;
    }
    int best = -1;
    int bestDistance = kBorderTolerance + 1;
    for (int col = 0; col < colCount(); ++col) {
        const int border = colScreenLeft(col) + std::max(m_grid.ColWidth(col), 0);
        const bool hidden = col >= m_fixedCols && border < FixedWidth();
        if (hidden || border >= m_viewportWidth) {
            continue;
        }
        // On equal distance the later column wins, so a column dragged to width 0 can be
        // pulled open again.
        const int distance = std::abs(x - border);
        if (distance <= bestDistance && distance <= kBorderTolerance) {
            best = col;
            bestDistance = distance;
        }
    }
    return best;
}

int GridGeometry::RowBorderAt(int x, int y) const
{
    ensureLayout();
    if (m_fixedCols == 0 || x < 0 || x >= std::min(FixedWidth(), m_viewportWidth) || y < 0 ||
        y >= m_viewportHeight) {
        return -1;
    }
    // The fixed rows and the visible scrolled rows; each row takes at least its grid line,
    // so there are never more candidates than the viewport has pixels.
    std::vector<int> rows;
    for (int row = 0; row < m_fixedRows; ++row) {
        rows.push_back(row);
    }
    const GridRange visible = VisibleScrollRows();
    for (int row = visible.First; row <= visible.Last; ++row) {
        rows.push_back(row);
    }
    int best = -1;
    int bestDistance = kBorderTolerance + 1;
    for (const int row : rows) {
        const int border = rowScreenTop(row) + std::max(m_grid.RowHeight(row), 0);
        const int distance = std::abs(y - border);
        if (distance <= bestDistance && distance <= kBorderTolerance) {
            best = row;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace varnok
