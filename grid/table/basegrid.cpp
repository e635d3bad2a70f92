#include "grid/table/basegrid.h"

#include <algorithm>
#include <cmath>

namespace varnok {

namespace {

constexpr int initialColCount = 3;
constexpr int initialRowCount = 2;
constexpr int initialColWidths[initialColCount] = {65, 150, 150};

// Nearest integer, halves to the even neighbour (97.5 gives 98, 96.5 gives 96), kept within
// the widths a screen can have: scaling again and again must not run a size past what an int
// holds or below nothing.
int roundHalfEven(double value)
{
    if (!(value > 0))
        return 0;
    if (value >= TBaseGrid::kMaxStoredColWidth)
        return TBaseGrid::kMaxStoredColWidth;
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double result = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        result = lower + 1.0;
    return static_cast<int>(result);
}

TGridFont initialFixedFont()
{
    TGridFont font;
    font.Name = "MS Sans Serif";
    font.Height = 13;
    font.Bold = true;
    return font;
}

// Where a cell sits in the flat table of `colCount` cells a row; col and row lie inside.
std::size_t cellIndex(int colCount, int col, int row)
{
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(colCount) +
           static_cast<std::size_t>(col);
}

} // namespace

TBaseGrid::TBaseGrid()
    : m_rowCount(initialRowCount),
      m_cells(static_cast<std::size_t>(initialRowCount) * initialColCount),
      m_colWidths(std::begin(initialColWidths), std::end(initialColWidths)),
      m_rowHeights(initialRowCount, m_defaultRowHeight), m_fixedFont(initialFixedFont())
{
}

bool TBaseGrid::IsInside(int col, int row) const
{
    return col >= 0 && col < m_colCount && row >= 0 && row < m_rowCount;
}

std::string_view TBaseGrid::GetCellEx(int col, int row) const
{
    if (!IsInside(col, row))
        return {};
    return m_cells[cellIndex(m_colCount, col, row)];
}

void TBaseGrid::SetCellEx(int col, int row, std::string_view text)
{
    if (!IsInside(col, row))
        return;
    // A text read from another cell is shared, not copied: moving rows about costs no memory.
    m_cells[cellIndex(m_colCount, col, row)] = m_texts.Keep(text);
    if (m_observer && m_updateDepth == 0)
        m_observer->CellChanged(col, row);
}

void TBaseGrid::SetRowCountEx(int count)
{
    count = std::max(count, 1);
    if (count == m_rowCount)
        return;
    if (m_fixedRows >= count)
        m_fixedRows = count - 1;
    // std::vector grows its capacity geometrically, so one-row-at-a-time growth costs
    // amortised constant time per row; the scan reserves its rows beforehand.
    m_cells.resize(cellIndex(m_colCount, 0, count));
    m_rowHeights.resize(static_cast<std::size_t>(count), m_defaultRowHeight);
    m_rowCount = count;
    KeepFocusInside();
    NotifyLayoutChanged();
}

void TBaseGrid::ReserveRows(int count)
{
    if (count <= m_rowCount)
        return;
    m_cells.reserve(cellIndex(m_colCount, 0, count));
    m_rowHeights.reserve(static_cast<std::size_t>(count));
}

TGridRect TBaseGrid::InsideTable(TGridRect rect) const
{
    const int lastCol = m_colCount - 1;
    const int lastRow = m_rowCount - 1;
    rect.Left = std::clamp(rect.Left, 0, lastCol);
    rect.Right = std::clamp(rect.Right, 0, lastCol);
    rect.Top = std::clamp(rect.Top, 0, lastRow);
    rect.Bottom = std::clamp(rect.Bottom, 0, lastRow);
    return rect;
}

// Dropped rows must not leave the focus or the selection pointing past the table.
void TBaseGrid::KeepFocusInside()
{
    const TGridRect focus = InsideTable({m_col, m_row, m_col, m_row});
    m_col = focus.Left;
    m_row = focus.Top;
    m_selection = InsideTable(m_selection);
}

void TBaseGrid::SetCurrentCell(int col, int row)
{
    const TGridRect focus = InsideTable({col, row, col, row});
    if (focus.Left == m_col && focus.Top == m_row)
        return;
    m_col = focus.Left;
    m_row = focus.Top;
    NotifyAppearanceChanged();
}

void TBaseGrid::SetSelection(const TGridRect& selection)
{
    const TGridRect inside = InsideTable(selection);
    if (inside == m_selection)
        return;
    m_selection = inside;
    NotifyAppearanceChanged();
}

void TBaseGrid::FocusCell(int col, int row)
{
    const TGridRect focus = InsideTable({col, row, col, row});
    if (focus.Left == m_col && focus.Top == m_row && focus == m_selection)
        return;
    m_col = focus.Left;
    m_row = focus.Top;
    m_selection = focus;
    NotifyAppearanceChanged();
}

void TBaseGrid::SetSortSettings(const TSortSettings& settings)
{
    m_sortSettings = settings;
    NotifyAppearanceChanged();
}

void TBaseGrid::SetEnableHTML(bool enable)
{
    if (enable == m_enableHTML)
        return;
    m_enableHTML = enable;
    NotifyAppearanceChanged();
}

void TBaseGrid::SetURLColor(TColor color)
{
    if (color == m_urlColor)
        return;
    m_urlColor = color;
    NotifyAppearanceChanged();
}

void TBaseGrid::SetFixedRowsEx(int count)
{
    if (count < 0 || count >= m_rowCount)
        throw EInvalidGridOperation("Fixed row count must be less than row count");
    if (count == m_fixedRows)
        return;
    m_fixedRows = count;
    NotifyLayoutChanged();
}

void TBaseGrid::SetDefRowHeightEx(int height)
{
    m_defaultRowHeight = height;
    std::fill(m_rowHeights.begin(), m_rowHeights.end(), height);
    NotifyLayoutChanged();
}

int TBaseGrid::ColWidth(int col) const
{
    if (col < 0 || col >= m_colCount)
        return 0;
    return m_colWidths[static_cast<std::size_t>(col)];
}

void TBaseGrid::SetColWidth(int col, int width)
{
    if (col < 0 || col >= m_colCount)
        return;
    m_colWidths[static_cast<std::size_t>(col)] = width;
    NotifyLayoutChanged();
}

int TBaseGrid::RowHeight(int row) const
{
    if (row < 0 || row >= m_rowCount)
        return 0;
    return m_rowHeights[static_cast<std::size_t>(row)];
}

void TBaseGrid::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= m_rowCount)
        return;
    m_rowHeights[static_cast<std::size_t>(row)] = height;
    NotifyLayoutChanged();
}

void TBaseGrid::SetFont(const TGridFont& font)
{
    m_font = font;
    NotifyLayoutChanged();
}

void TBaseGrid::SetFixedFont(const TGridFont& font)
{
    m_fixedFont = font;
    NotifyLayoutChanged();
}

void TBaseGrid::Clear()
{
    std::fill(m_cells.begin(), m_cells.end(), std::string_view());
    m_texts.Release(); // give the memory back, not just the lengths
    NotifyLayoutChanged();
}

void TBaseGrid::ExchangeRows(int rowA, int rowB)
{
    if (rowA == rowB || !IsInside(0, rowA) || !IsInside(0, rowB))
        return;
    const auto rowStart = [this](int row) {
        return m_cells.begin() + static_cast<std::ptrdiff_t>(row) * m_colCount;
    };
    std::swap_ranges(rowStart(rowA), rowStart(rowA) + m_colCount, rowStart(rowB));
    std::swap(m_rowHeights[static_cast<std::size_t>(rowA)],
              m_rowHeights[static_cast<std::size_t>(rowB)]);
    NotifyLayoutChanged();
}

void TBaseGrid::EndUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0)
        NotifyLayoutChanged();
}

bool TBaseGrid::RestoreColWidths(const std::vector<int>& widths)
{
    const std::size_t count = std::min(widths.size(), m_colWidths.size());
    bool changed = false;
    for (std::size_t col = 0; col < count; ++col) {
        if (widths[col] < 0 || widths[col] > kMaxStoredColWidth)
            continue;
        m_colWidths[col] = widths[col];
        changed = true;
    }
    if (changed)
        NotifyLayoutChanged();
    return changed;
}

void TBaseGrid::SynchColumnsWithWidth(int newClientWidth)
{
    // A width of 0 (a minimised or collapsed window) must not scale every column to
    // nothing; it is neither applied nor recorded.
    if (!m_columnSize.SynchWithGrid || newClientWidth <= 0)
        return;
    if (m_recordedClientWidth > 0 && newClientWidth != m_recordedClientWidth) {
        const double ratio = static_cast<double>(newClientWidth) / m_recordedClientWidth;
        for (int& width : m_colWidths)
            width = roundHalfEven(width * ratio);
        NotifyLayoutChanged();
    }
    m_recordedClientWidth = newClientWidth;
}

void TBaseGrid::RescaleRowsAfterDrag(int row, int oldHeight)
{
    if (row < 0 || row >= m_rowCount || oldHeight <= 0)
        return;
    const double newHeight = RowHeight(row);
    for (int r = m_fixedRows; r < m_rowCount; ++r) {
        if (r == row)
            continue;
        int& height = m_rowHeights[static_cast<std::size_t>(r)];
        height = roundHalfEven(height * newHeight / oldHeight);
    }
    NotifyLayoutChanged();
}

void TBaseGrid::NotifyLayoutChanged()
{
    if (m_observer && m_updateDepth == 0)
        m_observer->LayoutChanged();
}

void TBaseGrid::NotifyAppearanceChanged()
{
    if (m_observer && m_updateDepth == 0)
        m_observer->AppearanceChanged();
}

} // namespace varnok
