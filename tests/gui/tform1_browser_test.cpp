#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <string>
#include <vector>

#include "formfixture.h"
#include "grid/resultgrid.h"
#include "grid/view/resultgridview.h"
#include "support/recordingclipboard.h"
#include "support/recordingshellservice.h"

namespace varnok {

namespace {

using Strings = std::vector<std::string>;

// Open in Browser on a list read from an index file, in each cell format: only the web
// addresses reach the desktop (escaped where they hold a quote), from every way in, the
// caption row never does, and each address refused is reported.
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
        const std::string quoted = "http://h.example/%22quote";
        EXPECT_EQ(shell.Opened(), (Strings{addresses[0], quoted, addresses[5]})) << htmlCells;
        EXPECT_EQ(m_dialogs.Messages,
                  Strings(3, "Only web addresses (http, https, ftp) are opened."))
            << htmlCells;
        m_dialogs.Messages.clear();

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
        Strings expected = {addresses[0], quoted,       addresses[5],
                            addresses[0], addresses[5], addresses[5]};
        expected.insert(expected.end(), anchorPress.begin(), anchorPress.end());
        EXPECT_EQ(shell.Opened(), expected) << htmlCells;
        EXPECT_TRUE(m_dialogs.Calls.empty()) << "no read starts";
        EXPECT_TRUE(m_dialogs.Messages.empty()) << "web addresses open without a word";
        m_form.reset();
    }
}

// The pop-up menu acts on the row right-clicked, a right-click inside a selection keeps it;
// Ctrl+A selects every entry and Ctrl+C copies what is selected; an anchor the program will
// not open shows no hand and says why a click does nothing.
TEST_F(FormTest, PointerAndKeysActOnWhatTheUserPointsAt)
{
    WriteSettings(kQuietSettings);
    Create({"/cache:" +
            MakeCache("c", {"http://a.example/1", "http://b.example/2", "http://c.example/3"})});
    RecordingShellService shell;
    m_form->SetShellService(shell);
    RecordingClipboard clipboard;
    m_form->SetClipboard(clipboard);
    auto& view = *static_cast<TResultGridView*>(m_form->ResultGrid1View());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    const auto centre = [&view](int col, int row) {
        const TextRect cell = view.Geometry().CellRect(col, row);
        return QPoint((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
    };
    const auto rightClick = [&](int col, int row) {
        QTest::mouseClick(view.viewport(), Qt::RightButton, {}, centre(col, row));
        for (QWidget* menu : QApplication::topLevelWidgets())
            if (qobject_cast<QMenu*>(menu))
                menu->hide();
    };
    view.SetCurrentCell(1, 1);
    rightClick(1, 2);
    Action("Copycell1")->trigger();
    Action("Openinbrowser1")->trigger();
    EXPECT_EQ(clipboard.Text(), "http://b.example/2");
    EXPECT_EQ(shell.Opened(), Strings{"http://b.example/2"});

    view.setFocus();
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    rightClick(2, 3);
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(m_form->Grid().Selection(), (TGridRect{1, 1, 2, 3}));
    ASSERT_EQ(clipboard.Texts().size(), 2u);
    const std::string copied = clipboard.Text();
    EXPECT_EQ(copied.substr(0, 19), "http://a.example/1\t");
    EXPECT_EQ(std::count(copied.begin(), copied.end(), '\n'), 3) << copied;

    TResultGrid& grid = m_form->Grid();
    grid.SetEnableHTML(true);
    grid.SetCellEx(1, 1, "<A href=\"http://a.example/&quot;1\">a</A>");
    grid.SetCellEx(1, 2, "<A href=\"file:///etc/passwd\">b</A>");
    QApplication::processEvents();
    const auto anchorPoint = [&view](int row) {
        const TextRect cell = view.Geometry().CellRect(1, row);
        return QPoint(cell.Left + 5, cell.Top + 6);
    };
    QTest::mouseMove(view.viewport(), anchorPoint(1));
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(view.viewport(), anchorPoint(2));
    EXPECT_NE(view.viewport()->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, anchorPoint(2));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, anchorPoint(1));
    EXPECT_EQ(shell.Opened(), (Strings{"http://b.example/2", "http://a.example/%221"}));
    EXPECT_EQ(m_dialogs.Messages, Strings{"Only web addresses (http, https, ftp) are opened."});

    // A double-click on a link, as the window system delivers it, opens it once.
    QWindow* window = m_form->windowHandle();
    QTest::qWait(QTest::mouseDoubleClickInterval + 50);
    QTest::mouseDClick(window, Qt::LeftButton, {},
                       view.viewport()->mapTo(m_form.get(), anchorPoint(1)));
    EXPECT_EQ(shell.Opened(),
              (Strings{"http://b.example/2", "http://a.example/%221", "http://a.example/%221"}));
}

} // namespace

} // namespace varnok
