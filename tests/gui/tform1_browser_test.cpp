#include <gtest/gtest.h>

#include <QTest>

#include <string>
#include <vector>

#include "formfixture.h"
#include "grid/resultgrid.h"
#include "grid/view/resultgridview.h"
#include "support/recordingshellservice.h"

namespace {

using Strings = std::vector<std::string>;

// Open in Browser on a list read from an index file, in each cell format: only the web
// addresses reach the desktop, from every way in, and the caption row never does.
TEST_F(FormTest, OpenInBrowserHandsOnlyWebAddressesToTheDesktop)
{
    const Strings addresses = {"http://h.example/a?x=1&y=2", "javascript:alert(1)",
                               "file:///etc/passwd",         "/usr/bin/xterm",
                               "http://h.example/\"quote",   "HTTPS://h.example/s"};
    for (const char* htmlCells : {"0", "1"}) {
        WriteSettings(std::string(kQuietSettings) + "Cell format: HTML=" + htmlCells + "\n");
        Create({"/cache:" + MakeCache(std::string("c") + htmlCells, addresses)});
        RecordingShellService shell;
        m_form->SetShellService(shell);
        TResultGrid& grid = m_form->Grid();
        ASSERT_EQ(grid.GetRowCountEx(), 7);
        grid.SetCellEx(1, 0, "http://caption.example/"); // the caption row is never an entry
        for (int row = 0; row < 7; ++row) {
            grid.SetCurrentCell(grid.Col(), row);
            Action("OpenURL2")->trigger();
        }
        EXPECT_EQ(shell.Opened(), (Strings{addresses[0], addresses[5]})) << htmlCells;

        // The pop-up entry, a double-click (the caption row opens nothing), Ctrl+Enter but
        // not Enter, and a press on an anchor's text: all through the window's shell.
        auto& view = *static_cast<TResultGridView*>(m_form->ResultGrid1View());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
        view.SetCurrentCell(2, 6);
        ASSERT_TRUE(view.EditCurrentCell());
        m_form->ResultGrid1DblClickCell(0, 0);
        m_form->ResultGrid1DblClickCell(0, 1);
        EXPECT_FALSE(view.IsEditing());
        Action("Openinbrowser1")->trigger();
        QTest::keyClick(&view, Qt::Key_Return);
        QTest::keyClick(&view, Qt::Key_Return, Qt::ControlModifier);
        const TextRect cell = view.Geometry().CellRect(1, 1);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, {cell.Left + 5, cell.Top + 6});
        const Strings anchorPress = htmlCells[0] == '1' ? Strings{addresses[0]} : Strings{};
        Strings expected = {addresses[0], addresses[5], addresses[0], addresses[5], addresses[5]};
        expected.insert(expected.end(), anchorPress.begin(), anchorPress.end());
        EXPECT_EQ(shell.Opened(), expected) << htmlCells;
        EXPECT_TRUE(m_dialogs.Calls.empty()) << "nothing is reported, no read starts";
        m_form.reset();
    }
}

} // namespace
