#include "app/findcommands.h"

#include "grid/resultgrid.h"
#include "grid/search/matchcondition.h"

namespace varnok {

namespace {

// Column first, then row, so the grid scrolls to the column before it scrolls to the row.
void GoTo(FindCommandHost& host, GridCell cell)
{
    host.SetCol(cell.Col);
    host.SetRow(cell.Row);
}

} // namespace

void RunFindCommand(TResultGrid& grid, FindCommandHost& host)
{
    const std::optional<FindRequest> request = host.AskFindRequest();
    if (!request)
        return;
    if (request->Options.Contains(fnMatchRegular)) {
        if (const std::optional<std::string> refusal = LongConditionRefusal(request->Text)) {
            host.ShowError(*refusal);
            return;
        }
    }
    const GridCell found = grid.FindFirst(request->Text, request->Options);
    if (found.Col < 0)
        host.ShowMessage(kTextNotFoundMessage);
    else
        GoTo(host, found);
}

void RunFindNextCommand(TResultGrid& grid, FindCommandHost& host)
{
    const GridCell found = grid.FindNext();
    if (found.Col < 0 || found.Row < 0)
        host.ShowMessage(kTextNotFoundMessage);
    else
        GoTo(host, found);
}

} // namespace varnok
