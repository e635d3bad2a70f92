#include "grid/table/columnfit.h"

#include <algorithm>

#include "grid/table/basegrid.h"
#include "grid/table/cellmeasure.h"
#include "grid/table/gridgeometry.h"

namespace varnok {

namespace {

// The text starts 2 pixels inside the cell and ends 2 pixels before its right edge.
constexpr int kTextMargins = 4;

} // namespace

int FittedColumnWidth(TextCanvas& canvas, const TBaseGrid& grid, int col)
{
    int widest = 0;
    const bool fixedColumn = col < grid.GetFixedColsEx();
    for (int row = 0; row < grid.GetRowCountEx(); ++row) {
        const bool fixed = fixedColumn || row < grid.GetFixedRowsEx();
        widest = std::max(widest, MeasureCellWidth(canvas, fixed ? grid.FixedFont() : grid.Font(),
                                                   grid.GetCellEx(col, row), grid.EnableHTML()));
    }
    return widest + 2 * GridGeometry::kGridLineWidth + kTextMargins;
}

} // namespace varnok
