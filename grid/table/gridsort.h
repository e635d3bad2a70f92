#pragma once

namespace varnok {

class TBaseGrid;

// Sorts a grid's data rows by the texts of one column, as a click on that column's header
// asks, with the grid's SortSettings: ordinal byte order of the stored texts (markup
// included), except in the visit-time column, which sorts by the time its texts stand for;
// ties broken by the columns to the right, whole rows moved with their heights, the fixed
// column's texts kept in place, and the focused row following its contents.
//
// The quick sort is not stable; rows with equal keys end up where this partition scheme
// puts them, so the same list always sorts into the same order, on screen and in a sorted
// export alike. A list ordered to defeat the middle pivot cannot make it take quadratic
// time: a range still unsorted after 2 x log2(n) + 8 levels of partitioning is finished by
// a heap sort with the same comparison. A list that never gets that deep keeps the quick
// sort's order; a large shuffled list may reach the limit in a few small ranges, where only
// rows that compare equal can come out in another order. The grid repaints once, after the
// sort.
class GridSorter {
public:
    explicit GridSorter(TBaseGrid& grid);
    virtual ~GridSorter() = default;
    GridSorter(const GridSorter&) = delete;
    GridSorter& operator=(const GridSorter&) = delete;

    /** One click on the header of `col`: the same column again flips the direction, another column
     * sorts ascending. Returns false, changing nothing, for a fixed column or a grid without a
     * fixed row, with Show off or with fewer than two data rows. */
    bool ClickHeader(int col);
    /** Sorts the data rows by SortSettings.Column in SortSettings.Direction. */
    void QSort();
    /** Sorts the rows first..last (inclusive) by `column` in the current sort's direction. */
    void QuickSortRows(int column, int first, int last);
    /** +1, 0 or -1 comparing rows a and b by `column`, a tie broken by the columns to its right. */
    [[nodiscard]] int CompareLine(int column, int rowA, int rowB) const;
    /**
     * +1, 0 or -1 comparing the texts of one column: the visit times by time, any other
     * column byte by byte, unsigned, shorter first. Every comparison of the sort comes here.
     */
    [[nodiscard]] virtual int Compare(int column, int rowA, int rowB) const;

protected:
    /** Exchanges rows a and b whole (every column and the heights); the tracked row follows. */
    virtual void SortSwapRows(int rowA, int rowB);
    [[nodiscard]] TBaseGrid& Grid() const { return m_grid; }

private:
    class SortRun;

    [[nodiscard]] bool canSortByClick(int col) const;
    void quickSortRange(int column, int first, int last, int levelsLeft);
    void heapSortRange(int column, int first, int last);
    void siftDown(int column, int first, int root, int last);
    [[nodiscard]] bool sortsAfter(int column, int rowA, int rowB) const;
    void copyPivot(int row);

    TBaseGrid& m_grid;
    // The state of the sort running: +1 ascending or -1 descending, the row the focus had
    // (updated as rows move) and the scratch row holding the pivot's copy.
    int m_sign = 1;
    int m_trackedRow = 0;
    int m_pivotRow = 0;
};

} // namespace varnok
