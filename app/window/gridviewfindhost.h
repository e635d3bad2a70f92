#pragma once

#include <QPointer>

#include "app/findcommands.h"

class QWidget;
class TResultGridView;

// The find commands on screen: the dialog TFind owned by the window, focus moves through
// the grid view (which scrolls the cell into view), and Qt's message box.
class GridViewFindHost final : public FindCommandHost {
public:
    /** `view` shows the searched grid; `owner` (the main window) owns the dialogs. */
    GridViewFindHost(TResultGridView& view, QWidget* owner);

    [[nodiscard]] std::optional<FindRequest> AskFindRequest() override;
    void SetCol(int col) override;
    void SetRow(int row) override;
    void ShowMessage(const std::string& text) override;

private:
    TResultGridView& m_view;
    QPointer<QWidget> m_owner;
};
