#pragma once

#include "app/findcommands.h"

namespace varnok {

class TResultGridView;
class UserDialogs;

// The find commands on screen: the find dialog and the message box from the window's
// dialogs, focus moves through the grid view (which scrolls the cell into view).
class GridViewFindHost final : public FindCommandHost {
public:
    /** `view` shows the searched grid; both must outlive the host. */
    GridViewFindHost(TResultGridView& view, UserDialogs& dialogs);

    [[nodiscard]] std::optional<FindRequest> AskFindRequest() override;
    void SetCol(int col) override;
    void SetRow(int row) override;
    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;

private:
    TResultGridView& m_view;
    UserDialogs& m_dialogs;
};

} // namespace varnok
