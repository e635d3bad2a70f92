#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "grid/markup/markupcolor.h"
#include "grid/table/celltextstore.h"
#include "grid/table/gridtypes.h"
#include "platform/largememory.h"

class PrivateProfile;
class TextCanvas;

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
};

// The cell store of the result list: a table of byte-string cells (Windows-1252 in the
// files, never converted here) with a fixed header row and a fixed number column,
// row heights that follow the texts and column widths kept in the settings file.
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

    // Sizes every row (from row 0 when includeFixedRows, else from FixedRows) to its
    // texts as measured on the canvas; margin is unused while word wrap is on.
    void AutoSizeRows(TextCanvas& canvas, bool includeFixedRows, int margin);
    void AutoSizeRow(TextCanvas& canvas, int row);

    // Column widths under [ColumnSizes] ColN of the settings file.
    void SaveColSizes(PrivateProfile& profile) const;
    /** True when the file held a width for at least one column. */
    bool LoadColSizes(const PrivateProfile& profile);

    // Widths follow the grid's client width (the first call only records it).
    void SynchColumnsWithWidth(int newClientWidth);
    // The user dragged `row` from oldHeight to its current height: rescale the other normal rows.
    void RescaleRowsAfterDrag(int row, int oldHeight);

    // Texts holding "</", "<B" or "<I" are shown and measured as markup while this is on.
    bool EnableHTML = true;
    // Colour of anchor text in markup cells.
    TColor URLColor = clBlue;

    int Col = 1;
    int Row = 1;
    TGridRect Selection{1, 1, 1, 1};
    TSortSettings SortSettings;
    TColumnSizeSettings ColumnSize;

    void SetObserver(GridObserver* observer) { m_observer = observer; }

protected:
    void NotifyLayoutChanged();

private:
    [[nodiscard]] bool IsInside(int col, int row) const;
    [[nodiscard]] int MeasureRowHeight(TextCanvas& canvas, int row) const;
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
    GridObserver* m_observer = nullptr;
    int m_updateDepth = 0;
};
