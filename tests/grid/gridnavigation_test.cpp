#include <gtest/gtest.h>

#include "grid/table/basegrid.h"
#include "grid/table/gridgeometry.h"
#include "grid/table/gridnavigation.h"

namespace varnok {

namespace {

struct NavigationCase {
    const char* name;
    int topRow; // scroll position before the key
    GridCell from;
    NavigationKey key;
    bool ctrl;
    NavigationMove expected;
};

} // namespace

// A listing of 100 entries under the fixed caption row, column 0 fixed, rows 21 pixels
// high (22 with the grid line) and a viewport with room for exactly ten of them under the
// caption: a page is ten rows, and the highest top row is 91.
TEST(GridNavigationTest, KeysLandOnNormalCellsAndScrollTheLeastOrAPage)
{
    TBaseGrid grid;
    grid.SetRowCountEx(101);
    grid.SetFixedRowsEx(1);
    GridGeometry geometry{grid};
    geometry.SetViewportSize(368, 22 + 10 * 22);
    const GridNavigation navigation{grid, geometry};
    ASSERT_EQ(geometry.FullyVisibleRowCount(), 10);
    ASSERT_EQ(geometry.MaxTopRow(), 91);

    using K = NavigationKey;
    const NavigationCase cases[] = {
        {"up stops under the fixed row", 1, {1, 1}, K::Up, false, {{1, 1}, 1}},
        {"left stops right of the fixed column", 1, {1, 1}, K::Left, false, {{1, 1}, 1}},
        {"right stops at the last column", 1, {2, 5}, K::Right, false, {{2, 5}, 1}},
        {"down within the page keeps the top", 1, {1, 9}, K::Down, false, {{1, 10}, 1}},
        {"down past the page scrolls one row", 1, {1, 10}, K::Down, false, {{1, 11}, 2}},
        {"up past the top scrolls one row", 11, {1, 11}, K::Up, false, {{1, 10}, 10}},
        {"down from a cell out of sight shows it", 40, {1, 5}, K::Down, false, {{1, 6}, 6}},
        {"page down turns the page", 1, {1, 5}, K::PageDown, false, {{1, 15}, 11}},
        {"page up turns the page back", 11, {1, 15}, K::PageUp, false, {{1, 5}, 1}},
        {"page up near the top stops at row 1", 3, {1, 5}, K::PageUp, false, {{1, 1}, 1}},
        {"page down near the end stops at the last row",
         85,
         {2, 95},
         K::PageDown,
         false,
         {{2, 100}, 91}},
        {"page down from a cell out of sight", 40, {1, 5}, K::PageDown, false, {{1, 15}, 15}},
        {"home goes to the first normal column", 40, {2, 45}, K::Home, false, {{1, 45}, 40}},
        {"end goes to the last column", 40, {1, 45}, K::End, false, {{2, 45}, 40}},
        {"ctrl+home goes to the first normal cell", 40, {2, 45}, K::Home, true, {{1, 1}, 1}},
        {"ctrl+end goes to the last cell", 40, {1, 45}, K::End, true, {{2, 100}, 91}},
    };
    for (const NavigationCase& c : cases) {
        geometry.SetTopRow(c.topRow);
        ASSERT_EQ(geometry.TopRow(), c.topRow) << c.name;
        const NavigationMove move = navigation.Move(c.from, c.key, c.ctrl);
        EXPECT_EQ(move.Cell, c.expected.Cell) << c.name;
        EXPECT_EQ(move.TopRow, c.expected.TopRow) << c.name;
    }

    // A grid of fixed cells only has no normal cell to land on: the keys stay in its last one.
    grid.SetRowCountEx(1);
    geometry.Invalidate();
    EXPECT_EQ(navigation.Move({1, 0}, K::Down, false).Cell, (GridCell{1, 0}));
}

} // namespace varnok
