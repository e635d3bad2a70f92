#include "grid/gridsort.h"

#include <string_view>
#include <vector>

#include "grid/basegrid.h"

static_assert(!TSortSettings::AutoFormat && !TSortSettings::IgnoreBlanks &&
                  !TSortSettings::SingleColumn && !TSortSettings::IndexShow,
              "rows sort whole, by one column compared as text");

namespace {

// Rows appended below the data while a sort runs: the first holds the focus while rows
// move, the second the copy of the current pivot row, the third stays empty.
constexpr int kScratchRows = 3;
constexpr int kFocusScratch = 0;
constexpr int kPivotScratch = 1;

// Holds the grid's notifications for as long as it lives; one repaint follows.
class UpdateBlock {
public:
    explicit UpdateBlock(TBaseGrid& grid) : m_grid(grid) { m_grid.BeginUpdate(); }
    ~UpdateBlock() { m_grid.EndUpdate(); }
    UpdateBlock(const UpdateBlock&) = delete;
    UpdateBlock& operator=(const UpdateBlock&) = delete;

private:
    TBaseGrid& m_grid;
};

} // namespace

// Prepares the grid for one sort and puts it back when the sort ends, also when an
// exception interrupts it: the fixed columns' texts written back row by row, the scratch
// rows gone, the focus on the row its contents moved to, and one repaint.
class GridSorter::SortRun {
public:
    explicit SortRun(GridSorter& sorter)
        : m_sorter(sorter), m_grid(sorter.m_grid), m_update(sorter.m_grid),
          m_rowCount(m_grid.GetRowCountEx()),
          m_fixedCols(TSortSettings::NormalCellsOnly ? m_grid.GetFixedColsEx() : 0)
    {
        m_fixedTexts.reserve(static_cast<std::size_t>(m_rowCount) *
                             static_cast<std::size_t>(m_fixedCols));
        for (int row = 0; row < m_rowCount; ++row) {
            for (int col = 0; col < m_fixedCols; ++col) {
                m_fixedTexts.push_back(m_grid.GetCellEx(col, row));
            }
        }
        m_grid.SetRowCountEx(m_rowCount + kScratchRows);
        m_sorter.m_trackedRow = m_grid.Row();
        m_grid.SetCurrentCell(m_grid.Col(), m_rowCount + kFocusScratch);
        m_sorter.m_pivotRow = m_rowCount + kPivotScratch;
    }

    ~SortRun()
    {
        const int focusRow = m_sorter.m_trackedRow;
        m_grid.FocusCell(m_grid.Col(), focusRow);
        m_grid.SetRowCountEx(m_rowCount);
        auto text = m_fixedTexts.begin();
        for (int row = 0; row < m_rowCount; ++row) {
            for (int col = 0; col < m_fixedCols; ++col) {
                m_grid.SetCellEx(col, row, *text++);
            }
        }
    }

    SortRun(const SortRun&) = delete;
    SortRun& operator=(const SortRun&) = delete;

private:
    GridSorter& m_sorter;
    TBaseGrid& m_grid;
    UpdateBlock m_update; // made first and ended last
    int m_rowCount;
    int m_fixedCols;
    // Row by row; the grid's texts stay where they are while rows move, so views suffice
    // and writing them back shares them instead of copying.
    std::vector<std::string_view> m_fixedTexts;
};

GridSorter::GridSorter(TBaseGrid& grid) : m_grid(grid) {}

bool GridSorter::canSortByClick(int col) const
{
    const bool fixed = col < m_grid.GetFixedColsEx();
    return col >= 0 && col < m_grid.GetColCountEx() && (!fixed || TSortSettings::FixedCols) &&
           m_grid.SortSettings().Show && m_grid.GetFixedRowsEx() >= 1 && m_grid.GetRowCountEx() > 2;
}

bool GridSorter::ClickHeader(int col)
{
    if (!canSortByClick(col)) {
        return false;
    }
    TSortSettings sort = m_grid.SortSettings();
    if (col == sort.Column) {
        sort.Direction = sort.Direction == sdAscending ? sdDescending : sdAscending;
    } else {
        sort.Direction = sdAscending;
        sort.Column = col;
    }
    m_grid.SetSortSettings(sort);
    QSort();
    return true;
}

void GridSorter::QSort()
{
    const TSortSettings& sort = m_grid.SortSettings();
    const int first = m_grid.GetFixedRowsEx();
    const int last = m_grid.GetRowCountEx() - 1;
    // A fixed column never sorts: its texts stay in place whatever happens to the rows.
    if (sort.Column < m_grid.GetFixedColsEx() || sort.Column >= m_grid.GetColCountEx() ||
        first >= last) {
        return;
    }
    m_sign = sort.Direction == sdAscending ? 1 : -1;
    const SortRun run(*this);
    QuickSortRows(sort.Column, first, last);
}

// Hoare's partition around a copy of the middle row. The two parts it leaves are disjoint,
// so the order in which they are sorted cannot change the result: the smaller part is
// sorted by recursion and the larger one by the loop, which keeps the stack to a few
// dozen frames however unevenly a list splits.
void GridSorter::QuickSortRows(int column, int first, int last)
{
    while (first < last) {
        copyPivot(first + (last - first) / 2);
        int i = first;
        int j = last;
        do {
            while (CompareLine(column, m_pivotRow, i) == m_sign && i < last) {
                ++i;
            }
            while (CompareLine(column, j, m_pivotRow) == m_sign && j > first) {
                --j;
            }
            if (i <= j) {
                if (i != j && CompareLine(column, i, j) != 0) {
                    SortSwapRows(i, j);
                }
                ++i;
                --j;
            }
        } while (i <= j);

        if (j - first < last - i) {
            if (first < j) {
                QuickSortRows(column, first, j);
            }
            first = i;
        } else {
            if (i < last) {
                QuickSortRows(column, i, last);
            }
            last = j;
        }
    }
}

void GridSorter::copyPivot(int row)
{
    for (int col = 0; col < m_grid.GetColCountEx(); ++col) {
        m_grid.SetCellEx(col, m_pivotRow, m_grid.GetCellEx(col, row));
    }
}

int GridSorter::CompareLine(int column, int rowA, int rowB) const
{
    const int lastCol = m_grid.GetColCountEx() - 1;
    int order = Compare(column, rowA, rowB);
    while (order == 0 && TSortSettings::Full && column < lastCol) {
        ++column;
        order = Compare(column, rowA, rowB);
    }
    return order;
}

int GridSorter::Compare(int column, int rowA, int rowB) const
{
    // std::string_view compares through char_traits<char>::compare, which orders bytes as
    // unsigned char and puts a prefix before the longer text: the ordinal order wanted.
    const int order = m_grid.GetCellEx(column, rowA).compare(m_grid.GetCellEx(column, rowB));
    return (order > 0) - (order < 0);
}

void GridSorter::SortSwapRows(int rowA, int rowB)
{
    m_grid.ExchangeRows(rowA, rowB);
    if (m_trackedRow == rowA) {
        m_trackedRow = rowB;
    } else if (m_trackedRow == rowB) {
        m_trackedRow = rowA;
    }
}
