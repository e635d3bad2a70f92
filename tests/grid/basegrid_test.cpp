#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "grid/table/basegrid.h"
#include "gridfixtures.h"

namespace varnok {

namespace {

class CountingObserver : public GridObserver {
public:
    void CellChanged(int col, int row) override { cells.push_back({col, row}); }
    void LayoutChanged() override { ++layouts; }
    void AppearanceChanged() override { ++appearances; }

    std::vector<std::pair<int, int>> cells;
    int layouts = 0;
    int appearances = 0;
};

using GridPoint = std::pair<int, int>;

} // namespace

TEST(BaseGridTest, StartsWithTheConfiguredTable)
{
    TBaseGrid grid;
    EXPECT_EQ(grid.GetColCountEx(), 3);
    EXPECT_EQ(grid.GetRowCountEx(), 2);
    EXPECT_EQ(grid.GetFixedColsEx(), 1);
    EXPECT_EQ(grid.GetFixedRowsEx(), 0);
    EXPECT_EQ(grid.ColWidth(0), 65);
    EXPECT_EQ(grid.ColWidth(1), 150);
    EXPECT_EQ(grid.ColWidth(2), 150);
    EXPECT_EQ(grid.DefaultRowHeight(), 21);
    EXPECT_EQ(grid.RowHeight(0), 21);
    EXPECT_EQ(grid.RowHeight(1), 21);
    EXPECT_EQ(grid.Font().Name, "Tahoma");
    EXPECT_EQ(grid.Font().Height, 11);
    EXPECT_FALSE(grid.Font().Bold);
    EXPECT_EQ(grid.FixedFont().Name, "MS Sans Serif");
    EXPECT_EQ(grid.FixedFont().Height, 13);
    EXPECT_TRUE(grid.FixedFont().Bold);
    EXPECT_EQ(grid.GetCellEx(1, 1), "");
}

TEST(BaseGridTest, CellsKeepTheirBytesAndAddressesOutsideAreHarmless)
{
    TBaseGrid grid;
    const std::string bytes("a\0\xE9\r\nb", 6);
    grid.SetCellEx(2, 1, bytes);
    EXPECT_EQ(grid.GetCellEx(2, 1), bytes);
    EXPECT_EQ(grid.GetCellEx(1, 2), ""); // column first: (1, 2) is not (2, 1)

    grid.SetCellEx(3, 0, "x");
    grid.SetCellEx(0, 2, "x");
    grid.SetCellEx(-1, 0, "x");
    EXPECT_EQ(grid.GetCellEx(3, 0), "");
    EXPECT_EQ(grid.GetCellEx(0, -1), "");
    EXPECT_EQ(grid.GetRowCountEx(), 2);
}

TEST(BaseGridTest, RowCountGrowsWithEmptyRowsAndShrinksDroppingTexts)
{
    TBaseGrid grid;
    grid.SetDefRowHeightEx(17);
    grid.SetCellEx(1, 1, "kept");
    grid.SetRowCountEx(4);
    EXPECT_EQ(grid.GetRowCountEx(), 4);
    EXPECT_EQ(grid.GetCellEx(1, 1), "kept");
    EXPECT_EQ(grid.GetCellEx(1, 3), "");
    EXPECT_EQ(grid.RowHeight(3), 17);

    grid.SetCellEx(2, 3, "dropped");
    grid.SetRowCountEx(2);
    grid.SetRowCountEx(4);
    EXPECT_EQ(grid.GetCellEx(2, 3), "");

    grid.SetRowCountEx(0);
    EXPECT_EQ(grid.GetRowCountEx(), 1);
    grid.SetRowCountEx(-5);
    EXPECT_EQ(grid.GetRowCountEx(), 1);
}

TEST(BaseGridTest, ShrinkingBelowTheFixedRowsLowersThem)
{
    TBaseGrid grid;
    grid.SetRowCountEx(5);
    grid.SetFixedRowsEx(3);
    grid.SetRowCountEx(3);
    EXPECT_EQ(grid.GetFixedRowsEx(), 2);
    grid.SetRowCountEx(1);
    EXPECT_EQ(grid.GetFixedRowsEx(), 0);
}

TEST(BaseGridTest, ShrinkingKeepsFocusAndSelectionInsideTheTable)
{
    TBaseGrid grid;
    grid.SetRowCountEx(10);
    grid.SetCurrentCell(grid.Col(), 8);
    grid.SetSelection({1, 5, 2, 9});
    grid.SetRowCountEx(3);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 2, 2}));
}

// Whatever is asked for, the focus and the selection end up inside the table (3 columns,
// 10 rows here), and the observer hears of each real change, but not within an update.
TEST(BaseGridTest, FocusAndSelectionAreKeptInsideTheTableAndReported)
{
    struct Case {
        std::string Rule;
        std::function<void(TBaseGrid&)> Change;
        GridPoint Focus;
        TGridRect Selection;
        int Appearances;
    };
    const std::vector<Case> cases = {
        {"focus inside", [](TBaseGrid& g) { g.SetCurrentCell(2, 5); }, {2, 5}, {1, 1, 1, 1}, 1},
        {"focus past the end",
         [](TBaseGrid& g) { g.SetCurrentCell(7, 99); },
         {2, 9},
         {1, 1, 1, 1},
         1},
        {"focus before the start",
         [](TBaseGrid& g) { g.SetCurrentCell(-3, -1); },
         {0, 0},
         {1, 1, 1, 1},
         1},
        {"focus unchanged", [](TBaseGrid& g) { g.SetCurrentCell(1, 1); }, {1, 1}, {1, 1, 1, 1}, 0},
        {"selection, corners as given",
         [](TBaseGrid& g) {
             g.SetSelection({-1, 12, 5, 3});
         },
         {1, 1},
         {0, 9, 2, 3},
         1},
        {"focus with the selection",
         [](TBaseGrid& g) { g.FocusCell(5, 4); },
         {2, 4},
         {2, 4, 2, 4},
         1},
        {"within an update",
         [](TBaseGrid& g) {
             g.BeginUpdate();
             g.FocusCell(2, 3);
             g.SetSortSettings({.Column = 2});
             g.SetEnableHTML(false);
             g.EndUpdate();
         },
         {2, 3},
         {2, 3, 2, 3},
         0},
        {"markup switch and anchor colour",
         [](TBaseGrid& g) {
             g.SetEnableHTML(true); // no change
             g.SetEnableHTML(false);
             g.SetURLColor(clRed);
         },
         {1, 1},
         {1, 1, 1, 1},
         2},
    };
    for (const Case& test : cases) {
        TBaseGrid grid;
        grid.SetRowCountEx(10);
        CountingObserver observer;
        grid.SetObserver(&observer);
        test.Change(grid);
        grid.SetObserver(nullptr);
        EXPECT_EQ((GridPoint{grid.Col(), grid.Row()}), test.Focus) << test.Rule;
        EXPECT_EQ(grid.Selection(), test.Selection) << test.Rule;
        EXPECT_EQ(observer.appearances, test.Appearances) << test.Rule;
    }
}

TEST(BaseGridTest, FixedRowsMustBeFewerThanRows)
{
    TBaseGrid grid;
    grid.SetFixedRowsEx(1);
    EXPECT_EQ(grid.GetFixedRowsEx(), 1);
    for (int bad : {2, 3, -1}) {
        try {
            grid.SetFixedRowsEx(bad);
            FAIL() << "accepted " << bad;
        } catch (const EInvalidGridOperation& error) {
            EXPECT_STREQ(error.what(), "Fixed row count must be less than row count");
        }
        EXPECT_EQ(grid.GetFixedRowsEx(), 1);
    }
    grid.SetFixedRowsEx(0);
    EXPECT_EQ(grid.GetFixedRowsEx(), 0);
}

TEST(BaseGridTest, ClearEmptiesEveryCellCaptionsIncludedAndKeepsTheShape)
{
    TBaseGrid grid;
    FillExampleList(grid);
    AddEntry(grid, 2, "2", "y.htm", "");
    grid.SetRowHeight(2, 40);
    grid.SetColWidth(1, 300);

    grid.Clear();
    EXPECT_EQ(grid.GetRowCountEx(), 3);
    EXPECT_EQ(grid.GetFixedRowsEx(), 1);
    EXPECT_EQ(grid.RowHeight(2), 40);
    EXPECT_EQ(grid.ColWidth(1), 300);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(grid.GetCellEx(col, row), "") << col << "," << row;
    }
}

TEST(BaseGridTest, DefaultRowHeightResetsEveryRow)
{
    TBaseGrid grid;
    grid.SetRowCountEx(4);
    grid.SetFixedRowsEx(1);
    grid.SetRowHeight(0, 30);
    grid.SetRowHeight(2, 50);
    grid.SetDefRowHeightEx(18);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(grid.RowHeight(row), 18);
    EXPECT_EQ(grid.DefaultRowHeight(), 18);
}

TEST(BaseGridTest, ColumnsFollowTheGridWidthRoundingHalvesToEven)
{
    TBaseGrid grid;
    grid.SynchColumnsWithWidth(600); // the first size only records
    EXPECT_EQ(grid.ColWidth(0), 65);
    grid.SynchColumnsWithWidth(900);
    EXPECT_EQ(grid.ColWidth(0), 98);
    EXPECT_EQ(grid.ColWidth(1), 225);
    EXPECT_EQ(grid.ColWidth(2), 225);

    grid.SetColWidth(0, 65);
    grid.SynchColumnsWithWidth(600); // 65 * 2/3 = 43.33
    EXPECT_EQ(grid.ColWidth(0), 43);
    EXPECT_EQ(grid.ColWidth(1), 150);

    grid.SetColWidth(0, 193);
    grid.SynchColumnsWithWidth(300); // 96.5 rounds to the even 96
    EXPECT_EQ(grid.ColWidth(0), 96);
}

TEST(BaseGridTest, ZeroWidthNeitherScalesNorCounts)
{
    TBaseGrid grid;
    grid.SynchColumnsWithWidth(600);
    grid.SynchColumnsWithWidth(0); // a minimised window must not wipe the widths
    EXPECT_EQ(grid.ColWidth(1), 150);
    grid.SynchColumnsWithWidth(1200);
    EXPECT_EQ(grid.ColWidth(1), 300);

    TBaseGrid unsynched;
    unsynched.SetColumnSize({.SynchWithGrid = false});
    unsynched.SynchColumnsWithWidth(600);
    unsynched.SynchColumnsWithWidth(900);
    EXPECT_EQ(unsynched.ColWidth(1), 150);
}

TEST(BaseGridTest, DraggingARowRescalesTheOtherNormalRows)
{
    TBaseGrid grid;
    grid.SetRowCountEx(4);
    grid.SetFixedRowsEx(1); // rows 0 to 2 keep the default 21
    grid.SetRowHeight(3, 35);
    grid.SetRowHeight(2, 42); // the user drags row 2 from 21 to 42
    grid.RescaleRowsAfterDrag(2, 21);
    EXPECT_EQ(grid.RowHeight(0), 21); // fixed row untouched
    EXPECT_EQ(grid.RowHeight(1), 42);
    EXPECT_EQ(grid.RowHeight(2), 42);
    EXPECT_EQ(grid.RowHeight(3), 70);

    grid.SetRowHeight(2, 21); // and back from 42 to 21: 21 * 21 / 42 = 10.5 -> 10
    grid.SetRowHeight(1, 21);
    grid.RescaleRowsAfterDrag(2, 42);
    EXPECT_EQ(grid.RowHeight(1), 10);
    EXPECT_EQ(grid.RowHeight(3), 35);

    grid.RescaleRowsAfterDrag(2, 0); // no height to scale from
    EXPECT_EQ(grid.RowHeight(3), 35);
}

// However often the window grows or a row is dragged, a size stays one a screen can have.
TEST(BaseGridTest, RepeatedScalingStaysWithinScreenSizes)
{
    TBaseGrid grid;
    grid.SetColWidth(2, 0);
    grid.SynchColumnsWithWidth(1);
    grid.SynchColumnsWithWidth(std::numeric_limits<int>::max());
    grid.SynchColumnsWithWidth(std::numeric_limits<int>::max() - 1);
    EXPECT_EQ(grid.ColWidth(0), 32767);
    EXPECT_EQ(grid.ColWidth(1), 32767);
    EXPECT_EQ(grid.ColWidth(2), 0);
    grid.SynchColumnsWithWidth(1); // and back down: 32767 / (2^31 - 2) is below one half
    EXPECT_EQ(grid.ColWidth(0), 0);

    grid.SetRowCountEx(4);
    grid.SetRowHeight(1, -5);
    grid.SetRowHeight(2, std::numeric_limits<int>::max()); // dragged from 1
    grid.RescaleRowsAfterDrag(2, 1);
    EXPECT_EQ(grid.RowHeight(1), 0);
    EXPECT_EQ(grid.RowHeight(3), 32767);
}

TEST(BaseGridTest, ObserverHearsCellsAndLayout)
{
    TBaseGrid grid;
    CountingObserver observer;
    grid.SetObserver(&observer);
    grid.SetCellEx(2, 1, "x");
    ASSERT_EQ(observer.cells.size(), 1u);
    EXPECT_EQ(observer.cells[0], std::make_pair(2, 1));
    grid.SetCellEx(5, 5, "outside");
    EXPECT_EQ(observer.cells.size(), 1u);

    grid.SetRowCountEx(3);
    grid.SetColWidth(0, 70);
    grid.SetDefRowHeightEx(20);
    grid.Clear();
    EXPECT_EQ(observer.layouts, 4);
    grid.SetRowCountEx(3); // no change, no notice
    EXPECT_EQ(observer.layouts, 4);
    grid.SetObserver(nullptr);
    grid.SetCellEx(1, 1, "y");
    EXPECT_EQ(observer.cells.size(), 1u);
}

// A cell's text stays valid while the list grows and rows move; a text copied from one cell
// to another is shared, not stored again.
TEST(BaseGridTest, CellTextsStayValidWhileTheListGrowsAndRowsMove)
{
    constexpr int rows = 60000;
    TBaseGrid grid;
    FillCaptions(grid);
    grid.SetCellEx(1, 1, "http://first.example/");
    const std::string_view first = grid.GetCellEx(1, 1);
    for (int row = 2; row <= rows; ++row) {
        grid.SetRowCountEx(row + 1);
        grid.SetCellEx(0, row, std::to_string(row));
        grid.SetCellEx(1, row, "http://www.example.com/path/page" + std::to_string(row) + ".htm");
    }
    grid.ExchangeRows(1, rows);
    EXPECT_EQ(first, "http://first.example/");
    EXPECT_EQ(grid.GetCellEx(1, rows).data(), first.data());
    EXPECT_EQ(grid.GetCellEx(1, 1), "http://www.example.com/path/page60000.htm");
    EXPECT_EQ(grid.GetCellEx(0, 1), "60000");

    grid.SetCellEx(2, 5, grid.GetCellEx(1, 5));
    EXPECT_EQ(grid.GetCellEx(2, 5).data(), grid.GetCellEx(1, 5).data());
    grid.Clear();
    EXPECT_EQ(grid.GetCellEx(1, 1), "");
}

} // namespace varnok
