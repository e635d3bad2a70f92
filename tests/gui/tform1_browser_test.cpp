#include <gtest/gtest.h>

#include <QTest>

#include <string>
#include <vector>

#include "formfixture.h"
#include "grid/resultgrid.h"
#include "grid/view/resultgridview.h"
#include "support/recordingshellservice.h"

namespace {

using Kind = ScriptedDialogs::Kind;

// Open in Browser on a list read from an index file: what reaches the desktop, from which
// rows and through which of the ways in.
class BrowserTest : public FormTest {
protected:
    // Reads a cache listing `addresses` at start-up, in the text or the HTML cell format.
    void Open(const std::vector<std::string>& addresses, bool htmlCells)
    {
        WriteSettings(std::string(kQuietSettings) + "Cell format: HTML=" + (htmlCells ? "1" : "0") +
                      "\n");
        const std::string folder = MakeCache(htmlCells ? "html" : "text", addresses);
        Create({"/cache:" + folder});
        m_form->SetShellService(m_shell);
        m_form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
        ASSERT_EQ(m_form->Grid().GetRowCountEx(), static_cast<int>(addresses.size()) + 1);
    }

    [[nodiscard]] TResultGridView& View() const
    {
        return *static_cast<TResultGridView*>(m_form->ResultGrid1View());
    }

    [[nodiscard]] QPoint CellPoint(int col, int row, int dx = 5) const
    {
        const TextRect rect = View().Geometry().CellRect(col, row);
        return {rect.Left + dx, rect.Top + 6};
    }

    RecordingShellService m_shell;
};

TEST_F(BrowserTest, OnlyWebAddressesReachTheDesktopInEitherCellFormat)
{
    const std::vector<std::string> addresses = {
        "http://h.example/a?x=1&y=2", "javascript:alert(1)",
        "file:///etc/passwd",         "/usr/bin/xterm",
        "http://h.example/\"quote",   "HTTPS://h.example/secure",
        "ftp://files.example/f.zip",  "mailto:a@h.example",
    };
    const std::vector<std::string> opened = {
        "http://h.example/a?x=1&y=2", "HTTPS://h.example/secure", "ftp://files.example/f.zip"};
    for (const bool htmlCells : {false, true}) {
        Open(addresses, htmlCells);
        TResultGrid& grid = m_form->Grid();
        for (int row = 0; row < grid.GetRowCountEx(); ++row) {
            grid.Row = row;
            Action("OpenURL2")->trigger();
        }
        EXPECT_EQ(m_shell.Opened(), opened) << "HTML cells: " << htmlCells;
        EXPECT_TRUE(m_dialogs.Calls.empty()) << "nothing is reported";
        m_form.reset();
        m_shell = RecordingShellService();
    }
}

TEST_F(BrowserTest, MenuPopUpDoubleClickCtrlEnterAndAnchorsOpenTheRightRow)
{
    Open({"http://a.example/1", "http://b.example/2", "http://c.example/3"}, true);
    TResultGrid& grid = m_form->Grid();
    TResultGridView& view = View();
    const auto lastOpened = [this] {
        return m_shell.Opened().empty() ? std::string() : m_shell.Opened().back();
    };

    grid.Row = 2;
    Action("Openinbrowser1")->trigger();
    EXPECT_EQ(lastOpened(), "http://b.example/2");

    // A double-click on a row's date cell: the row becomes current, its address opens.
    // QTest sends a double-click as its second press alone, and leaves the button held.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, CellPoint(2, 3, 30));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, CellPoint(2, 3, 30));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, CellPoint(2, 3, 30));
    EXPECT_EQ(grid.Row, 3);
    EXPECT_EQ(lastOpened(), "http://c.example/3");
    // On the caption row nothing opens; on the number column that row's address.
    m_form->ResultGrid1DblClickCell(1, 0);
    EXPECT_EQ(m_shell.Opened().size(), 2u);
    m_form->ResultGrid1DblClickCell(0, 2);
    EXPECT_EQ(lastOpened(), "http://b.example/2");
    // An edit in progress ends first.
    view.SetCurrentCell(2, 1);
    ASSERT_TRUE(view.EditCurrentCell());
    m_form->ResultGrid1DblClickCell(2, 1);
    EXPECT_FALSE(view.IsEditing());
    EXPECT_EQ(lastOpened(), "http://a.example/1");

    view.setFocus();
    view.SetCurrentCell(2, 2);
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClick(&view, Qt::Key_Enter);
    EXPECT_EQ(m_shell.Opened().size(), 4u) << "Enter alone opens nothing";
    EXPECT_EQ(m_dialogs.CountOf(Kind::OpenFile), 0) << "nor starts the open command";
    QTest::keyClick(&view, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(lastOpened(), "http://b.example/2");

    // A press on an anchor's text goes to the window's shell as well.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, CellPoint(1, 3));
    EXPECT_EQ(lastOpened(), "http://c.example/3");
    EXPECT_EQ(m_shell.Opened().size(), 6u);
}

} // namespace
