#include "gridfixtures.h"

#include "grid/table/basegrid.h"

namespace varnok {

void FillCaptions(TBaseGrid& grid)
{
    grid.SetCellEx(0, 0, "No.");
    grid.SetCellEx(1, 0, "URL   ");
    grid.SetCellEx(2, 0, "Latest visit");
    grid.SetFixedRowsEx(1);
}

void AddEntry(TBaseGrid& grid, int row, const std::string& number, const std::string& address,
              const std::string& visit)
{
    if (grid.GetRowCountEx() <= row)
        grid.SetRowCountEx(row + 1);
    grid.SetCellEx(0, row, number);
    grid.SetCellEx(1, row, address);
    grid.SetCellEx(2, row, visit);
}

void FillExampleList(TBaseGrid& grid)
{
    FillCaptions(grid);
    AddEntry(grid, 1, "1", "x.htm", "05/06/2004 10:11:12");
}

std::string Anchor(const std::string& escapedAddress)
{
    return "<A href=\"" + escapedAddress + "\">" + escapedAddress + "</A>";
}

} // namespace varnok
