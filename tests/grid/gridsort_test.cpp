#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "grid/basegrid.h"
#include "grid/gridsort.h"
#include "gridfixtures.h"

namespace {

using Entry = std::pair<std::string, std::string>; // address, visit time

const std::string kDay1 = "01/01/2004 00:00:00";
const std::string kDay2 = "02/01/2004 00:00:00";
const std::string kDay3 = "03/01/2004 00:00:00";
const std::string kLateIn2003 = "12/01/2003 10:00:00";
const std::string kEarlyIn2004 = "02/03/2004 09:00:00";

// Captions, then one row per entry numbered from 1, each row a pixel taller than the one
// above so that the heights tell the rows apart.
void FillList(TBaseGrid& grid, const std::vector<Entry>& entries)
{
    FillCaptions(grid);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        AddEntry(grid, row, std::to_string(row), entries[i].first, entries[i].second);
        grid.SetRowHeight(row, 20 + row);
    }
}

// Every row as "number|address|visit|height", captions first.
std::vector<std::string> Listing(const TBaseGrid& grid)
{
    std::vector<std::string> rows;
    for (int row = 0; row < grid.GetRowCountEx(); ++row) {
        rows.push_back(
            std::string(grid.GetCellEx(0, row)) + '|' + std::string(grid.GetCellEx(1, row)) + '|' +
            std::string(grid.GetCellEx(2, row)) + '|' + std::to_string(grid.RowHeight(row)));
    }
    return rows;
}

// Order lists the entries' first positions from the top after the header clicks.
struct SortCase {
    const char* Rule;
    std::vector<Entry> Entries;
    std::vector<int> Clicks;
    std::vector<int> Order;
    int Column; // the sort column afterwards
};

const std::vector<SortCase> kSortCases = {
    {"capitals first", {{"alpha", ""}, {"Zeta", ""}}, {1}, {2, 1}, 1},
    {"visit times as text", {{"a", kLateIn2003}, {"b", kEarlyIn2004}}, {2}, {2, 1}, 2},
    {"equal addresses by visit", {{"x", kDay3}, {"a", ""}, {"x", kDay1}}, {1}, {2, 3, 1}, 1},
    {"empty first", {{"b", ""}, {"", ""}, {"a", ""}}, {1}, {2, 3, 1}, 1},
    {"descending, empty last", {{"b", ""}, {"", ""}, {"a", ""}}, {1, 1}, {1, 3, 2}, 1},
    {"bytes: digits, anchors by target, letters, prefix first, high bytes last",
     {{"zeta", ""}, {Anchor("b"), ""}, {"10/x", ""}, {"\xE9", ""}, {Anchor("a"), ""}, {"zet", ""}},
     {1},
     {3, 5, 2, 6, 1, 4},
     1},
    {"another header ascends", {{"a", kDay3}, {"b", kDay1}, {"c", kDay2}}, {1, 1, 2}, {2, 3, 1}, 2},
    // Rows equal in the sort column and right of it end up where the partition around the
    // middle row leaves them (f before d): the sort is not stable, and a sorted export
    // must list them as the screen does.
    {"equal keys as partitioned",
     {{"a", kDay1}, {"b", kDay1}, {"c", kDay2}, {"d", kDay1}, {"e", kDay1}, {"f", kDay1}},
     {2},
     {1, 2, 6, 4, 5, 3},
     2},
    {"header plus one row", {{"b", ""}}, {1}, {1}, 0},
    {"the number column", {{"b", ""}, {"a", ""}}, {0}, {1, 2}, 0},
};

// Counts the grid's notifications: a sort must repaint once, after the rows have moved.
class NotificationCounter : public GridObserver {
public:
    void CellChanged(int /*col*/, int /*row*/) override { ++CellChanges; }
    void LayoutChanged() override { ++LayoutChanges; }
    void AppearanceChanged() override {}
    int CellChanges = 0;
    int LayoutChanges = 0;
};

// Stops the sort with an exception at its second exchange.
class InterruptedSorter : public GridSorter {
public:
    using GridSorter::GridSorter;

protected:
    void SortSwapRows(int rowA, int rowB) override
    {
        if (++m_exchanges == 2) {
            throw std::runtime_error("interrupted");
        }
        GridSorter::SortSwapRows(rowA, rowB);
    }

private:
    int m_exchanges = 0;
};

} // namespace

TEST(GridSortTest, HeaderClicksSortWholeRowsByTheStoredTexts)
{
    for (const SortCase& test : kSortCases) {
        SCOPED_TRACE(test.Rule);
        TBaseGrid grid;
        FillList(grid, test.Entries);
        const int rows = static_cast<int>(test.Entries.size());
        grid.SetCurrentCell(2, rows); // the last entry has the focus
        grid.SetSelection({1, 1, 2, 2});
        NotificationCounter counter;
        grid.SetObserver(&counter);
        for (const int col : test.Clicks) {
            GridSorter(grid).ClickHeader(col);
        }
        grid.SetObserver(nullptr);

        // The numbers stay in place; addresses, visits and heights move together.
        std::vector<std::string> expected = {"No.|URL   |Latest visit|21"};
        for (int row = 1; row <= rows; ++row) {
            const int entry = test.Order[static_cast<std::size_t>(row - 1)];
            const Entry& moved = test.Entries[static_cast<std::size_t>(entry - 1)];
            expected.push_back(std::to_string(row) + '|' + moved.first + '|' + moved.second + '|' +
                               std::to_string(20 + entry));
        }
        EXPECT_EQ(Listing(grid), expected);
        EXPECT_EQ(grid.SortSettings().Column, test.Column);
        const bool sorted = test.Column != 0;
        EXPECT_EQ(counter.LayoutChanges, sorted ? static_cast<int>(test.Clicks.size()) : 0);
        EXPECT_EQ(counter.CellChanges, 0);
        if (sorted) {
            // The focus followed the last entry; the selection shrank to the focused cell.
            const auto found = std::find(test.Order.begin(), test.Order.end(), rows);
            const int focusRow = static_cast<int>(found - test.Order.begin()) + 1;
            EXPECT_EQ(grid.Row(), focusRow);
            EXPECT_EQ(grid.Selection(), (TGridRect{2, focusRow, 2, focusRow}));
        }
    }
}

TEST(GridSortTest, AnInterruptedSortStillPutsTheGridBack)
{
    TBaseGrid grid;
    FillList(grid, {{"d", ""}, {"c", ""}, {"b", ""}, {"a", ""}});
    grid.SetCurrentCell(grid.Col(), 4);
    InterruptedSorter sorter(grid);

    EXPECT_THROW(sorter.ClickHeader(1), std::runtime_error);
    // The first exchange happened and the focus followed "a" to the top; the numbers are
    // back and the scratch rows gone.
    EXPECT_EQ(Listing(grid), (std::vector<std::string>{"No.|URL   |Latest visit|21", "1|a||24",
                                                       "2|c||22", "3|b||23", "4|d||21"}));
    EXPECT_EQ(grid.Row(), 1);
}
