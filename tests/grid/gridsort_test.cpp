#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "grid/table/basegrid.h"
#include "grid/table/gridsort.h"
#include "gridfixtures.h"
#include "tools/sortadversary.h"

namespace varnok {

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
    {"visit times by time", {{"a", kEarlyIn2004}, {"b", kLateIn2003}}, {2}, {2, 1}, 2},
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

// Counts the comparisons a sort makes.
class CountingSorter : public GridSorter {
public:
    using GridSorter::GridSorter;
    [[nodiscard]] int Compare(int column, int rowA, int rowB) const override
    {
        ++Comparisons;
        return GridSorter::Compare(column, rowA, rowB);
    }
    mutable long long Comparisons = 0;
};

// The list's quick sort without any limit to its depth: the order a list that never gets
// as deep as the limit must still come out in. Sorts keys with their entry numbers.
void PlainQuickSort(std::vector<std::pair<std::string, int>>& rows, int first, int last)
{
    auto key = [&rows](int place) -> const std::string& {
        return rows[static_cast<std::size_t>(place)].first;
    };
    const std::string pivot = key((first + last) / 2);
    int i = first;
    int j = last;
    do {
        while (pivot > key(i) && i < last)
            ++i;
        while (key(j) > pivot && j > first)
            --j;
        if (i <= j) {
            if (i != j && key(i) != key(j))
                std::swap(rows[static_cast<std::size_t>(i)], rows[static_cast<std::size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (first < j)
        PlainQuickSort(rows, first, j);
    if (i < last)
        PlainQuickSort(rows, i, last);
}

// The entries' first positions from the top, read back through the row heights.
std::vector<int> EntryOrder(const TBaseGrid& grid)
{
    std::vector<int> order;
    for (int row = 1; row < grid.GetRowCountEx(); ++row)
        order.push_back(grid.RowHeight(row) - 20);
    return order;
}

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

// Visit times order by year, month, day and clock, read in the date order of the read that
// wrote them; a cell without a time comes first, and the reverse click reverses it all.
TEST(GridSortTest, VisitTimesSortByTheTimeTheyStandFor)
{
    const struct {
        bool DayFirst;
        std::vector<std::string> Visits;
        std::vector<int> Ascending;
    } cases[] = {
        {false,
         {"01/21/2005 00:00:00", "03/14/2004 10:00:01", "", "03/14/2004 10:00:00",
          "12/01/2004 09:00:00"},
         {3, 4, 2, 5, 1}},
        {true,
         {"21/01/2005 00:00:00", "14/03/2004 10:00:01", "", "14/03/2004 10:00:00",
          "01/12/2004 09:00:00"},
         {3, 4, 2, 5, 1}},
        // Read month first, the same texts are other days.
        {false, {"21/01/2005 00:00:00", "14/03/2004 10:00:01", "01/12/2004 09:00:00"}, {3, 2, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Visits.front());
        TBaseGrid grid;
        std::vector<Entry> entries;
        for (const std::string& visit : c.Visits)
            entries.emplace_back("same address", visit);
        FillList(grid, entries);
        TSortSettings sort = grid.SortSettings();
        sort.VisitDayFirst = c.DayFirst;
        grid.SetSortSettings(sort);
        GridSorter sorter(grid);
        sorter.ClickHeader(2);
        EXPECT_EQ(EntryOrder(grid), c.Ascending);
        sorter.ClickHeader(2);
        EXPECT_EQ(EntryOrder(grid), std::vector<int>(c.Ascending.rbegin(), c.Ascending.rend()));
    }
}

// A list ordered to defeat the middle pivot (McIlroy's adversary) still sorts, in far
// fewer comparisons than the quarter of n squared the plain quick sort takes on it.
TEST(GridSortTest, AListCraftedAgainstThePivotSortsInNLogNComparisons)
{
    constexpr int kRows = 3000;
    const std::vector<int> ranks = QuickSortAdversaryRanks(kRows);
    TBaseGrid grid;
    std::vector<Entry> entries;
    for (const int rank : ranks) {
        char address[16];
        std::snprintf(address, sizeof address, "k%05d", rank);
        entries.emplace_back(address, "");
    }
    FillList(grid, entries);
    CountingSorter sorter(grid);
    sorter.ClickHeader(1);

    std::vector<int> expected(kRows);
    for (int entry = 0; entry < kRows; ++entry)
        expected[static_cast<std::size_t>(ranks[static_cast<std::size_t>(entry)])] = entry + 1;
    EXPECT_EQ(EntryOrder(grid), expected);
    const int log2Rows = static_cast<int>(std::bit_width(static_cast<unsigned>(kRows)));
    EXPECT_LT(sorter.Comparisons, 6LL * kRows * log2Rows);
}

// A list of 5,000 rows in random order, with many equal keys, never reaches the depth
// limit and comes out in exactly the plain quick sort's order, equal rows included.
TEST(GridSortTest, AnOrdinaryListKeepsThePlainQuickSortOrder)
{
    constexpr int kRows = 5000;
    std::mt19937 random(2005);
    std::vector<std::pair<std::string, int>> reference;
    std::vector<Entry> entries;
    for (int entry = 1; entry <= kRows; ++entry) {
        const std::string address = "http://host" + std::to_string(random() % 300) + "/";
        entries.emplace_back(address, "");
        reference.emplace_back(address, entry);
    }
    PlainQuickSort(reference, 0, kRows - 1);
    std::vector<int> expected;
    for (const auto& row : reference)
        expected.push_back(row.second);

    TBaseGrid grid;
    FillList(grid, entries);
    GridSorter(grid).ClickHeader(1);
    EXPECT_EQ(EntryOrder(grid), expected);
}

} // namespace varnok
