#include "app/window/gridviewfindhost.h"

#include <QMessageBox>

#include "app/window/displaytext.h"
#include "app/window/finddlg.h"
#include "grid/view/resultgridview.h"

GridViewFindHost::GridViewFindHost(TResultGridView& view, QWidget* owner)
    : m_view(view), m_owner(owner)
{
}

std::optional<FindRequest> GridViewFindHost::AskFindRequest()
{
    TFind dialog(m_owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FindRequest{dialog.FindText(), dialog.FindParameters()};
}

void GridViewFindHost::SetCol(int col)
{
    m_view.SetCurrentCell(col, m_view.Grid().Row);
}

void GridViewFindHost::SetRow(int row)
{
    m_view.SetCurrentCell(m_view.Grid().Col, row);
}

void GridViewFindHost::ShowMessage(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Varnok 5"), DisplayText(text),
                    QMessageBox::Ok, m_owner);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}
