#include "grid/table/gridsort.h"

#include <bit>
#include <string_view>
#include <vector>

#include "grid/table/basegrid.h"
#include "grid/table/resultlist.h"
#include "grid/table/visittimeorder.h"

namespace varnok {

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

void GridSorter::QuickSortRows(int column, int first, int last)
{
    if (first >= last)
        return;
    // Each level of a shuffled list roughly halves its ranges, so twice the halvings, with a
    // margin for small lists, leaves nearly all of an ordinary list to the quick sort and
    // stops a crafted one long before its cost grows with the square of its length.
    const auto rows = static_cast<unsigned>(last - first + 1);
    const int halvings = static_cast<int>(std::bit_width(rows)) - 1;
    quickSortRange(column, first, last, 2 * halvings + 8);
}

// Hoare's partition around a copy of the middle row. The two parts it leaves are disjoint,
// so the order in which they are sorted cannot change the result: the smaller part is
// sorted by recursion and the larger one by the loop, which keeps the stack to a few
// dozen frames however unevenly a list splits. Both parts are a level deeper than the
// range they came from; a range that arrives with no levels left is heap-sorted.
void GridSorter::quickSortRange(int column, int first, int last, int levelsLeft)
{
    while (first < last) {
        if (levelsLeft == 0) {
            heapSortRange(column, first, last);
            return;
        }
        --levelsLeft;
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
                quickSortRange(column, first, j, levelsLeft);
            }
            first = i;
        } else {
            if (i < last) {
                quickSortRange(column, i, last, levelsLeft);
            }
            last = j;
        }
    }
}

// True when row a belongs below row b in the order of the sort running.
bool GridSorter::sortsAfter(int column, int rowA, int rowB) const
{
    return CompareLine(column, rowA, rowB) == m_sign;
}

// At most 2 x n x log2(n) comparisons, whatever the order of the rows.
void GridSorter::heapSortRange(int column, int first, int last)
{
    for (int root = first + (last - first - 1) / 2; root >= first; --root)
        siftDown(column, first, root, last);
    for (int end = last; end > first; --end) {
        SortSwapRows(first, end);
        siftDown(column, first, first, end - 1);
    }
}

// Moves the row at `root` down the heap of rows first..last (the children of the k-th row
// from first are the (2k+1)-th and (2k+2)-th) until no child sorts after it.
void GridSorter::siftDown(int column, int first, int root, int last)
{
    while (true) {
        int child = first + 2 * (root - first) + 1;
        if (child > last)
            return;
        if (child < last && sortsAfter(column, child + 1, child))
            ++child;
        if (!sortsAfter(column, child, root))
            return;
        SortSwapRows(root, child);
        root = child;
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
    if (column == kVisitColumn) {
        return CompareVisitTimes(m_grid.GetCellEx(column, rowA), m_grid.GetCellEx(column, rowB),
                                 m_grid.SortSettings().VisitDayFirst);
    }
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

} // namespace varnok
