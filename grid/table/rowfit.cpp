#include "grid/table/rowfit.h"

#include <vector>

#include "grid/table/basegrid.h"
#include "grid/table/cellmeasure.h"

namespace varnok {

namespace {

// Column by column, a cell raises the height only when it needs more than the height
// reached so far minus 2, and then to its own height plus 4; the result therefore
// depends on the order of the cells, which is how rows have always been sized.
int measuredRowHeight(const TBaseGrid& grid, TextCanvas& canvas, int row)
{
    int height = grid.DefaultRowHeight();
    for (int col = 0; col < grid.GetColCountEx(); ++col) {
        const bool fixed = col < grid.GetFixedColsEx() || row < grid.GetFixedRowsEx();
        const int measured =
            MeasureCellHeight(canvas, fixed ? grid.FixedFont() : grid.Font(),
                              grid.GetCellEx(col, row), grid.ColWidth(col), grid.EnableHTML());
        if (measured + 2 > height)
            height = measured + 4;
    }
    return height;
}

} // namespace

void AutoSizeRows(TBaseGrid& grid, TextCanvas& canvas, bool includeFixedRows)
{
    // Measured first, set after: a failing measurement leaves the grid as it was and the
    // observer is told once, not per row.
    const int first = includeFixedRows ? 0 : grid.GetFixedRowsEx();
    std::vector<int> heights;
    heights.reserve(static_cast<std::size_t>(grid.GetRowCountEx() - first));
    for (int row = first; row < grid.GetRowCountEx(); ++row)
        heights.push_back(measuredRowHeight(grid, canvas, row));
    grid.BeginUpdate();
    for (int row = first; row < grid.GetRowCountEx(); ++row)
        grid.SetRowHeight(row, heights[static_cast<std::size_t>(row - first)]);
    grid.EndUpdate();
}

void AutoSizeRow(TBaseGrid& grid, TextCanvas& canvas, int row)
{
    if (row < 0 || row >= grid.GetRowCountEx())
        return;
    grid.SetRowHeight(row, measuredRowHeight(grid, canvas, row));
}

} // namespace varnok
