#include "grid/table/resultlist.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "grid/table/basegrid.h"

namespace varnok {

namespace {

constexpr int kEmptyListRows = 2; // the caption row and one empty row
// The grid grows by many rows at a time rather than one per entry; Finish() then gives it
// its exact count.
constexpr int kRowGrowthStep = 1024;

} // namespace

void WriteListCaptions(TBaseGrid& grid)
{
    grid.SetCellEx(kNumberColumn, 0, "No.");
    grid.SetCellEx(kAddressColumn, 0, "URL   ");
    grid.SetCellEx(kVisitColumn, 0, "Latest visit");
}

void ResetListForRead(TBaseGrid& grid)
{
    // Clearing keeps the sort settings.
    grid.Clear();
    grid.SetRowCountEx(kEmptyListRows);
    WriteListCaptions(grid);
}

void ClearList(TBaseGrid& grid)
{
    grid.Clear();
    TSortSettings sort = grid.SortSettings();
    sort.Column = 0;
    grid.SetSortSettings(sort);
    grid.SetRowCountEx(kEmptyListRows);
}

void ResultListWriter::Begin(bool markupCells, bool dayFirst)
{
    m_grid.SetEnableHTML(markupCells);
    TSortSettings sort = m_grid.SortSettings();
    sort.VisitDayFirst = dayFirst;
    m_grid.SetSortSettings(sort);
    WriteListCaptions(m_grid);
    // A grid shrunk below the empty list would get entries over its caption row.
    if (m_grid.GetRowCountEx() < kEmptyListRows)
        m_grid.SetRowCountEx(kEmptyListRows);
    m_grid.SetFixedRowsEx(1);
    m_nextRow = m_grid.GetRowCountEx() - 1;
}

void ResultListWriter::Reserve(int entries)
{
    m_grid.ReserveRows(m_nextRow + std::max(entries, 0) + 1);
}

void ResultListWriter::AddEntry(std::string_view addressCell, std::string_view visitText)
{
    const int row = m_nextRow++;
    const int rowCount = m_grid.GetRowCountEx();
    if (row >= rowCount)
        m_grid.SetRowCountEx(std::max(row + 1, rowCount + kRowGrowthStep));
    char number[16];
    const char* const numberEnd = std::to_chars(std::begin(number), std::end(number), row).ptr;
    m_grid.SetCellEx(kNumberColumn, row, std::string_view(number, numberEnd));
    m_grid.SetCellEx(kAddressColumn, row, addressCell);
    m_grid.SetCellEx(kVisitColumn, row, visitText);
}

int ResultListWriter::Finish()
{
    m_grid.SetRowCountEx(m_nextRow);
    return m_nextRow - 1;
}

} // namespace varnok
