#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "grid/table/basegrid.h"
#include "grid/table/gridgeometry.h"

namespace varnok {

namespace {

// A listing as the read leaves it: row 0 fixed, column 0 fixed, widths 65, 150, 150,
// every row 21 pixels high (22 with its grid line).
class GridGeometryTest : public ::testing::Test {
protected:
    void SetUpRows(int rowCount)
    {
        grid.SetRowCountEx(rowCount);
        grid.SetFixedRowsEx(1);
        geometry.Invalidate();
    }

    TBaseGrid grid;
    GridGeometry geometry{grid};
};

} // namespace

TEST_F(GridGeometryTest, PositionsAddEachCellAndItsGridLine)
{
    SetUpRows(5);
    EXPECT_EQ(geometry.ColLeft(0), 0);
    EXPECT_EQ(geometry.ColLeft(1), 66);
    EXPECT_EQ(geometry.ColLeft(2), 217);
    EXPECT_EQ(geometry.ColLeft(3), 368); // the table's width
    EXPECT_EQ(geometry.RowTop(4), 88);
    EXPECT_EQ(geometry.RowTop(5), 110);
    EXPECT_EQ(geometry.FixedWidth(), 66);
    EXPECT_EQ(geometry.FixedHeight(), 22);

    grid.SetRowHeight(2, 40);
    grid.SetColWidth(1, 100);
    geometry.Invalidate();
    EXPECT_EQ(geometry.RowTop(3), 22 + 22 + 41);
    EXPECT_EQ(geometry.ColLeft(2), 167);
}

TEST_F(GridGeometryTest, SixtyThousandRowsOfMixedHeightsMapBothWays)
{
    SetUpRows(60001);
    for (int row = 0; row < 60001; row += 7) {
        grid.SetRowHeight(row, 15 + row % 23);
    }
    geometry.Invalidate();
    std::int64_t top = 0;
    std::vector<std::int64_t> expectedTops;
    for (int row = 0; row <= 60001; ++row) {
        expectedTops.push_back(top);
        top += grid.RowHeight(row) + 1;
    }
    EXPECT_EQ(geometry.RowTop(60001), expectedTops.back());
    EXPECT_EQ(geometry.RowTop(31234), expectedTops[31234]);

    geometry.SetViewportSize(500, 400);
    geometry.SetTopRow(45000);
    EXPECT_EQ(geometry.TopRow(), 45000);
    const GridRange rows = geometry.VisibleScrollRows();
    for (int row = rows.First; row <= rows.Last; ++row) {
        const TextRect rect = geometry.CellRect(2, row);
        // The cell's own pixels and its lower grid line belong to it.
        EXPECT_EQ(geometry.CellAt(rect.Left, rect.Top), (GridCell{2, row}));
        if (rect.Bottom < 400) {
            EXPECT_EQ(geometry.CellAt(rect.Right, rect.Bottom), (GridCell{2, row}));
        }
    }
    EXPECT_EQ(geometry.CellRect(2, 45000).Top, geometry.FixedHeight());
}

TEST_F(GridGeometryTest, FixedRowAndColumnStayWhileTheRestScrolls)
{
    SetUpRows(100);
    grid.SetColWidth(1, 400);
    grid.SetColWidth(2, 400);
    geometry.Invalidate();
    geometry.SetViewportSize(300, 200);
    geometry.SetTopRow(50);
    geometry.SetOffsetX(120);

    const TextRect header = geometry.CellRect(1, 0);
    EXPECT_EQ(header.Top, 0);
    EXPECT_EQ(header.Left, 66 - 120);
    const TextRect number = geometry.CellRect(0, 50);
    EXPECT_EQ(number.Left, 0);
    EXPECT_EQ(number.Top, 22);
    EXPECT_EQ(geometry.CellRect(0, 0).Left, 0);
    EXPECT_EQ(geometry.CellRect(0, 0).Top, 0);

    EXPECT_EQ(geometry.CellAt(10, 5), (GridCell{0, 0}));
    EXPECT_EQ(geometry.CellAt(10, 30), (GridCell{0, 50}));
    EXPECT_EQ(geometry.CellAt(70, 5), (GridCell{1, 0})); // content x 190
    EXPECT_EQ(geometry.CellAt(70, 30), (GridCell{1, 50}));
    EXPECT_EQ(geometry.CellAt(66 + 400 - 120 + 1 - 66, 50), (GridCell{1, 51}));
    EXPECT_EQ(geometry.CellAt(290, 50).Col, 1); // content x 410 still lies in column 1
    geometry.SetOffsetX(300);
    EXPECT_EQ(geometry.CellAt(290, 50).Col, 2); // content x 590 lies in column 2
}

TEST_F(GridGeometryTest, ScrollRangesEndWhereTheLastRowAndColumnFit)
{
    SetUpRows(101);
    // 22 for the header, nine rows of 22 fill the remaining 198 pixels exactly.
    geometry.SetViewportSize(400, 220);
    EXPECT_EQ(geometry.MinTopRow(), 1);
    EXPECT_EQ(geometry.MaxTopRow(), 92);
    EXPECT_EQ(geometry.MaxOffsetX(), 0);
    geometry.SetTopRow(1000);
    EXPECT_EQ(geometry.TopRow(), 92);
    geometry.SetTopRow(0);
    EXPECT_EQ(geometry.TopRow(), 1);

    geometry.SetViewportSize(300, 221); // one pixel more lets no further row in
    EXPECT_EQ(geometry.MaxTopRow(), 92);
    EXPECT_EQ(geometry.MaxOffsetX(), 68);
    geometry.SetOffsetX(500);
    EXPECT_EQ(geometry.OffsetX(), 68);
    geometry.SetOffsetX(-3);
    EXPECT_EQ(geometry.OffsetX(), 0);

    // A table shorter than the viewport does not scroll.
    SetUpRows(4);
    EXPECT_EQ(geometry.MaxTopRow(), 1);
}

TEST_F(GridGeometryTest, ShrinkingTheTablePullsTheScrollPositionBack)
{
    SetUpRows(1000);
    geometry.SetViewportSize(400, 220);
    geometry.SetTopRow(900);
    EXPECT_EQ(geometry.TopRow(), 900);
    grid.SetRowCountEx(2);
    geometry.Invalidate();
    EXPECT_EQ(geometry.TopRow(), 1);
    EXPECT_EQ(geometry.VisibleScrollRows(), (GridRange{1, 1}));
}

TEST_F(GridGeometryTest, VisibleRangesCountPartlyShownRowsButPagesDoNot)
{
    SetUpRows(101);
    geometry.SetViewportSize(400, 230); // nine whole rows and 8 pixels of a tenth
    geometry.SetTopRow(10);
    EXPECT_EQ(geometry.VisibleScrollRows(), (GridRange{10, 19}));
    EXPECT_EQ(geometry.FullyVisibleRowCount(), 9);
    EXPECT_EQ(geometry.VisibleScrollCols(), (GridRange{1, 2}));

    grid.SetColWidth(1, 500);
    grid.SetColWidth(2, 600);
    geometry.Invalidate();
    EXPECT_EQ(geometry.VisibleScrollCols(), (GridRange{1, 1}));
    geometry.SetOffsetX(501); // column 1 gone left under the fixed column
    EXPECT_EQ(geometry.VisibleScrollCols(), (GridRange{2, 2}));

    // Outside the table there is no cell.
    SetUpRows(3);
    EXPECT_EQ(geometry.CellAt(10, 100), (GridCell{}));
    EXPECT_EQ(geometry.CellAt(-1, 5), (GridCell{}));
}

TEST_F(GridGeometryTest, ScrollingIntoViewMovesAsLittleAsPossible)
{
    SetUpRows(101);
    geometry.SetViewportSize(400, 220);
    geometry.SetTopRow(10);
    EXPECT_EQ(geometry.TopRowToShow(15), 10); // already visible
    EXPECT_EQ(geometry.TopRowToShow(5), 5);   // above: becomes the top row
    EXPECT_EQ(geometry.TopRowToShow(19), 11); // below: becomes the last whole row
    EXPECT_EQ(geometry.TopRowToShow(100), 92);
    EXPECT_EQ(geometry.TopRowToShow(0), 10); // the fixed row needs no scrolling

    grid.SetRowHeight(40, 500); // taller than the viewport: its top is shown
    geometry.Invalidate();
    EXPECT_EQ(geometry.TopRowToShow(40), 40);

    grid.SetColWidth(1, 300);
    grid.SetColWidth(2, 300);
    geometry.Invalidate();
    geometry.SetViewportSize(400, 220);
    EXPECT_EQ(geometry.OffsetXToShow(1), 0);
    EXPECT_EQ(geometry.OffsetXToShow(2), 367 + 300 - 400);
    geometry.SetOffsetX(250);
    EXPECT_EQ(geometry.OffsetXToShow(1), 0);
}

TEST_F(GridGeometryTest, ColumnBordersAreGrabbedInTheFixedRowOnly)
{
    SetUpRows(20);
    geometry.SetViewportSize(600, 300);
    // The right border of column 1 is the grid line at x = 66 + 150.
    // {x, y, column}: 3 pixels either side count; the fixed column is sized too.
    for (const auto& [x, y, col] : {std::array{216, 5, 1},
                                    {213, 5, 1},
                                    {219, 5, 1},
                                    {212, 5, -1},
                                    {220, 5, -1},
                                    {65, 5, 0},
                                    {216, 40, -1}})
        EXPECT_EQ(geometry.ColBorderAt(x, y), col) << x << "," << y;

    geometry.SetOffsetX(100);
    grid.SetColWidth(2, 600);
    geometry.Invalidate();
    geometry.SetOffsetX(100);
    EXPECT_EQ(geometry.ColBorderAt(116, 5), 1);

    // Before the first read there is no fixed row and so nothing to grab.
    TBaseGrid empty;
    GridGeometry emptyGeometry(empty);
    emptyGeometry.SetViewportSize(600, 300);
    EXPECT_EQ(emptyGeometry.ColBorderAt(216, 5), -1);
}

TEST_F(GridGeometryTest, RowBordersAreGrabbedInTheFixedColumnOnly)
{
    SetUpRows(100);
    geometry.SetViewportSize(600, 300);
    for (const auto& [x, y, row] :
         {std::array{10, 21, 0}, {10, 43, 1}, {10, 46, 1}, {10, 33, -1}, {100, 43, -1}})
        EXPECT_EQ(geometry.RowBorderAt(x, y), row) << x << "," << y;

    geometry.SetTopRow(30);
    EXPECT_EQ(geometry.RowBorderAt(10, 43), 30);
    EXPECT_EQ(geometry.RowBorderAt(10, 65), 31);
}

} // namespace varnok
