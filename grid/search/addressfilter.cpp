#include "grid/search/addressfilter.h"

#include <string>

#include "grid/search/matchcondition.h"
#include "grid/table/basegrid.h"
#include "grid/table/resultlist.h"

namespace varnok {

namespace {

void moveRow(TBaseGrid& grid, int from, int to)
{
    for (int col = 0; col < grid.GetColCountEx(); ++col)
        grid.SetCellEx(col, to, grid.GetCellEx(col, from)); // shared, not copied
}

} // namespace

int FilterRowsByAddress(TBaseGrid& grid, std::string_view condition, const ShortDateFormat& dates)
{
    const MatchCondition matcher(condition, false, dates);
    int kept = 0;
    for (int row = 1; row < grid.GetRowCountEx(); ++row) {
        if (!matcher.Matches(grid.GetCellEx(kAddressColumn, row)))
            continue;
        ++kept;
        if (row != kept)
            moveRow(grid, row, kept);
        grid.SetCellEx(kNumberColumn, kept, std::to_string(kept));
    }
    grid.SetRowCountEx(kept + 1);
    return kept;
}

} // namespace varnok
