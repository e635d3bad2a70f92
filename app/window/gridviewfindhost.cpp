#include "app/window/gridviewfindhost.h"

#include "app/window/userdialogs.h"
#include "grid/view/resultgridview.h"

namespace varnok {

GridViewFindHost::GridViewFindHost(TResultGridView& view, UserDialogs& dialogs)
    : m_view(view), m_dialogs(dialogs)
{
}

std::optional<FindRequest> GridViewFindHost::AskFindRequest()
{
    return m_dialogs.AskFindRequest();
}

void GridViewFindHost::SetCol(int col)
{
    m_view.SetCurrentCell(col, m_view.Grid().Row());
}

void GridViewFindHost::SetRow(int row)
{
    m_view.SetCurrentCell(m_view.Grid().Col(), row);
}

void GridViewFindHost::ShowMessage(const std::string& text)
{
    m_dialogs.ShowMessage(text);
}

void GridViewFindHost::ShowError(const std::string& text)
{
    m_dialogs.ShowError(text);
}

} // namespace varnok
