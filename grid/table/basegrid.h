#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "grid/table/celltextstore.h"
#include "grid/table/gridtypes.h"
#include "platform/largememory.h"

namespace varnok {

// Raised for operations the grid refuses ("Fixed row count must be less than row count").
class EInvalidGridOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Receives every change that needs a repaint or a re-layout. The Qt view registers one;
// the core and its tests run without any.
class GridObserver {
public:
    virtual ~GridObserver() = default;
    virtual void CellChanged(int col, int row) = 0;
    virtual void LayoutChanged() = 0; // row/column count, widths, heights, fonts
    // Focus, selection, sort indicator, markup switch or anchor colour: the cells look
    // different, their sizes stay.
    virtual void AppearanceChanged() = 0;
};

// The cell store of the result list: a table of byte-string cells (Windows-1252 in the
// files, never converted here) with a fixed header row and a fixed number column, the
// sizes of its rows and columns, and the focused cell and the selection, which never
// leave the table. Rows are measured to their texts elsewhere (rowfit.h), and the
// settings file keeps the column widths between runs.
class TBaseGrid {
public:
    TBaseGrid();
    virtual ~TBaseGrid() = default;
    TBaseGrid(const TBaseGrid&) = delete;
    TBaseGrid& operator=(const TBaseGrid&) = delete;

    // A cell's text stays valid until Clear(), whatever else changes in the grid.
    [[nodiscard]] std::string_view GetCellEx(int col, int row) const;
    void SetCellEx(int col, int row, std::string_view text);

    [[nodiscard]] int GetColCountEx() const { return m_colCount; }
    [[nodiscard]] int GetRowCountEx() const { return m_rowCount; }
    void SetRowCountEx(int count);

    /** Makes room for `count` rows without adding any: a read that knows how many rows it
     * may add then grows the table in place instead of moving it again and again. */
    void ReserveRows(int count);

    [[nodiscard]] int GetFixedRowsEx() const { return m_fixedRows; }
    void SetFixedRowsEx(int count);
    [[nodiscard]] int GetFixedColsEx() const { return m_fixedCols; }

    [[nodiscard]] int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefRowHeightEx(int height);

    [[nodiscard]] int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    [[nodiscard]] int RowHeight(int row) const;
    void SetRowHeight(int row, int height);

    [[nodiscard]] const TGridFont& Font() const { return m_font; }
    void SetFont(const TGridFont& font);
    [[nodiscard]] const TGridFont& FixedFont() const { return m_fixedFont; }
    void SetFixedFont(const TGridFont& font);

    void Clear();

    /** Exchanges two whole rows, every cell and the heights; no text is copied. */
    void ExchangeRows(int rowA, int rowB);

    // Between BeginUpdate and the matching EndUpdate the observer hears nothing; the last
    // EndUpdate then reports one layout change, so a sort repaints once, not per row moved.
    void BeginUpdate() { ++m_updateDepth; }
    void EndUpdate();

    // The widest a stored column width may be: a larger one cannot come from a grid on a
    // screen, and taking it would only overflow the sums of the page and screen layout.
    static constexpr int kMaxStoredColWidth = 32767;
    /** Widths as stored for the next run, column by column from column 0. A width the grid
     * cannot have (below 0, above kMaxStoredColWidth; -1 for a missing one) leaves its
     * column as it is; the observer hears of all the others at once. True when a width was taken.
     */
    bool RestoreColWidths(const std::vector<int>& widths);

    // Widths follow the grid's client width (the first call only records it).
    void SynchColumnsWithWidth(int newClientWidth);
    // The user dragged `row` from oldHeight to its current height: rescale the other normal rows.
    void RescaleRowsAfterDrag(int row, int oldHeight);

    // The focused cell and the selected block of cells (corners in either order). Both are
    // kept inside the table whatever is asked for, also when rows are dropped, and each
    // change is reported to the observer.
    [[nodiscard]] int Col() const { return m_col; }
    [[nodiscard]] int Row() const { return m_row; }
    [[nodiscard]] const TGridRect& Selection() const { return m_selection; }
    /** Moves the focus to (col, row); the selection stays as it is. */
    void SetCurrentCell(int col, int row);
    void SetSelection(const TGridRect& selection);
    /** Moves the focus to (col, row) and collapses the selection onto it, as any plain
     * focus move does. */
    void FocusCell(int col, int row);

    [[nodiscard]] const TSortSettings& SortSettings() const { return m_sortSettings; }
    void SetSortSettings(const TSortSettings& settings);
    [[nodiscard]] const TColumnSizeSettings& ColumnSize() const { return m_columnSize; }
    void SetColumnSize(const TColumnSizeSettings& settings) { m_columnSize = settings; }

    // Texts holding "</", "<B" or "<I" are shown and measured as markup while this is on.
    [[nodiscard]] bool EnableHTML() const { return m_enableHTML; }
    void SetEnableHTML(bool enable);
    // Colour of anchor text in markup cells.
    [[nodiscard]] TColor URLColor() const { return m_urlColor; }
    void SetURLColor(TColor color);

    void SetObserver(GridObserver* observer) { m_observer = observer; }

protected:
    void NotifyLayoutChanged();
    void NotifyAppearanceChanged();

private:
    [[nodiscard]] bool IsInside(int col, int row) const;
    [[nodiscard]] TGridRect InsideTable(TGridRect rect) const;
    void KeepFocusInside();

    int m_colCount = 3;
    int m_fixedCols = 1;
    int m_fixedRows = 0;
    int m_defaultRowHeight = 21;
    int m_rowCount = 0;
    // Row after row, m_colCount cells each, viewing texts in m_texts: one flat table keeps a
    // row together, and growing by one row at a time stays amortised constant time.
    std::vector<std::string_view, LargeMemoryAllocator<std::string_view>> m_cells;
    CellTextStore m_texts;
    std::vector<int> m_colWidths;
    std::vector<int> m_rowHeights;
    TGridFont m_font;
    TGridFont m_fixedFont;
    int m_recordedClientWidth = 0;
    int m_col = 1;
    int m_row = 1;
    TGridRect m_selection{1, 1, 1, 1};
    TSortSettings m_sortSettings;
    TColumnSizeSettings m_columnSize;
    bool m_enableHTML = true;
    TColor m_urlColor = clBlue;
    GridObserver* m_observer = nullptr;
    int m_updateDepth = 0;
};

} // namespace varnok
