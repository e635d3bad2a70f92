#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "grid/table/basegrid.h"
#include "grid/table/hintplacement.h"
#include "grid/view/cellhintwindow.h"
#include "grid/view/resultgridview.h"
#include "platform/qt/qtcanvas.h"
#include "support/recordingshellservice.h"

namespace varnok {

namespace {

// A listing of `rows` rows: captions in the fixed row 0, numbers in the fixed column 0,
// every row 21 pixels high, columns 65, 150 and 150 wide (left edges 0, 66 and 217).
class ResultGridViewTest : public ::testing::Test {
protected:
    void Show(int rows, int width = 500, int height = 300)
    {
        grid.SetRowCountEx(rows);
        grid.SetFixedRowsEx(1);
        grid.SetCellEx(0, 0, "No.");
        grid.SetCellEx(1, 0, "URL   ");
        grid.SetCellEx(2, 0, "Latest visit");
        for (int row = 1; row < rows; ++row) {
            grid.SetCellEx(0, row, std::to_string(row));
            grid.SetCellEx(1, row, "http://example.com/" + std::to_string(row));
            grid.SetCellEx(2, row, "05/06/2004 10:11:12");
        }
        view = std::make_unique<TResultGridView>(grid);
        view->resize(width, height);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        // The editor tests type into the focus widget, which only the active window has.
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
        view->setFocus();
        QApplication::processEvents();
    }

    QWidget* Viewport() const { return view->viewport(); }

    // The middle of a cell, in viewport coordinates.
    QPoint CellCentre(int col, int row)
    {
        const TextRect rect = view->Geometry().CellRect(col, row);
        return {(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
    }

    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(view.get(), static_cast<Qt::Key>(key), modifiers);
    }

    // Types characters QTest has no key for.
    static void TypeText(const QString& text)
    {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }

    // Moves the pointer straight to the viewport. QTest's move with no button held goes
    // through QCursor::setPos, which sends nothing when the pointer already rests on that
    // screen point, as it does when an earlier test in this process hovered there.
    void MoveTo(QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
    {
        QMouseEvent event(QEvent::MouseMove, pos, Viewport()->mapToGlobal(pos), Qt::NoButton,
                          buttons, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &event);
    }

    void Drag(QPoint from, QPoint via, QPoint to)
    {
        QTest::mousePress(Viewport(), Qt::LeftButton, {}, from);
        MoveTo(via, Qt::LeftButton);
        MoveTo(to, Qt::LeftButton);
        QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, to);
    }

    void Hover(QPoint pos)
    {
        QHelpEvent event(QEvent::ToolTip, pos, Viewport()->mapToGlobal(pos));
        QApplication::sendEvent(Viewport(), &event);
    }

    TBaseGrid grid;
    std::unique_ptr<TResultGridView> view;
};

} // namespace

TEST_F(ResultGridViewTest, ScrollBarsScrollRowsUnderTheFixedRow)
{
    Show(1001);
    const GridGeometry& geometry = view->Geometry();
    QScrollBar* bar = view->verticalScrollBar();
    EXPECT_EQ(bar->maximum(), geometry.MaxTopRow() - 1);
    EXPECT_GT(bar->maximum(), 900);
    bar->setValue(100);
    EXPECT_EQ(geometry.TopRow(), 101);
    EXPECT_EQ(geometry.CellRect(1, 101).Top, 22);
    EXPECT_EQ(geometry.CellRect(1, 0).Top, 0);

    view->ScrollToCell(1, 700);
    const GridRange rows = geometry.VisibleScrollRows();
    EXPECT_LE(rows.First, 700);
    EXPECT_GE(rows.Last, 700);

    // The table shrinks: the scroll range follows once the event loop has run.
    grid.SetRowCountEx(3);
    QApplication::processEvents();
    EXPECT_EQ(bar->maximum(), 0);
    EXPECT_EQ(view->Geometry().TopRow(), 1);
}

TEST_F(ResultGridViewTest, KeyboardMovesTheFocusAmongNormalCells)
{
    Show(501);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
    Key(Qt::Key_Up);
    Key(Qt::Key_Left);
    EXPECT_EQ(grid.Col(), 1); // the fixed row and column are never entered
    EXPECT_EQ(grid.Row(), 1);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 2, 2}));

    const int page = view->Geometry().FullyVisibleRowCount();
    Key(Qt::Key_PageDown);
    EXPECT_EQ(grid.Row(), 2 + page);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(grid.Row(), 2);
    Key(Qt::Key_Home);
    EXPECT_EQ(grid.Col(), 1);
    Key(Qt::Key_End);
    EXPECT_EQ(grid.Col(), 2);

    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.Row(), 500);
    const GridRange rows = view->Geometry().VisibleScrollRows();
    EXPECT_EQ(rows.Last, 500);
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(view->Geometry().TopRow(), 1);

    // Shift extends the selection; the focused cell stays where the range began.
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 1, 2, 3}));
    EXPECT_EQ(grid.Row(), 1);
    Key(Qt::Key_Down);
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 1, 2}));
}

TEST_F(ResultGridViewTest, DraggingSelectsARangeFromThePressedCell)
{
    Show(20);
    Drag(CellCentre(1, 2), CellCentre(2, 3), CellCentre(2, 5));
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 2, 5}));
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 2);

    // A click on a fixed cell leaves focus and selection alone.
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, CellCentre(0, 7));
    EXPECT_EQ(grid.Selection(), (TGridRect{1, 2, 2, 5}));
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, CellCentre(2, 7));
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 7, 2, 7}));
}

TEST_F(ResultGridViewTest, ColumnBorderInTheHeaderResizesThatColumnOnly)
{
    Show(20);
    MoveTo({217, 8});
    EXPECT_EQ(Viewport()->cursor().shape(), Qt::SplitHCursor);
    Drag({217, 8}, {250, 8}, {257, 9});
    EXPECT_EQ(grid.ColWidth(1), 190);
    EXPECT_EQ(grid.ColWidth(0), 65);
    EXPECT_EQ(grid.ColWidth(2), 150);
    EXPECT_EQ(grid.SortSettings().Column, 0); // ending a resize does not sort

    // The fixed column can be sized as well.
    Drag({65, 8}, {50, 8}, {45, 8});
    EXPECT_EQ(grid.ColWidth(0), 45);
    EXPECT_EQ(view->Geometry().FixedWidth(), 46);
}

TEST_F(ResultGridViewTest, RowBorderInTheFixedColumnRescalesTheOtherRows)
{
    Show(10);
    // Row 2's lower border is the grid line at 44 + 21.
    MoveTo({10, 65});
    EXPECT_EQ(Viewport()->cursor().shape(), Qt::SplitVCursor);
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, {10, 65});
    MoveTo({10, 80}, Qt::LeftButton);
    MoveTo({10, 86}, Qt::LeftButton);
    // While dragging only the dragged row changes.
    EXPECT_EQ(grid.RowHeight(2), 42);
    EXPECT_EQ(grid.RowHeight(3), 21);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, {10, 86});
    EXPECT_EQ(grid.RowHeight(2), 42);
    EXPECT_EQ(grid.RowHeight(1), 42);
    EXPECT_EQ(grid.RowHeight(9), 42);
    EXPECT_EQ(grid.RowHeight(0), 21); // the fixed row keeps its height
    EXPECT_EQ(view->Geometry().RowTop(3), 22 + 43 + 43);
}

TEST_F(ResultGridViewTest, ColumnWidthsFollowTheWidgetsWidth)
{
    Show(5, 600, 300);
    const int before = view->contentsRect().width();
    view->resize(900, 300);
    QApplication::processEvents();
    const double ratio = static_cast<double>(view->contentsRect().width()) / before;
    EXPECT_EQ(grid.ColWidth(0), qRound(65 * ratio));
    EXPECT_EQ(grid.ColWidth(1), qRound(150 * ratio));
    EXPECT_EQ(view->Geometry().ColLeft(1), grid.ColWidth(0) + 1);
}

TEST_F(ResultGridViewTest, EditingChangesTheCellTextAsWindows1252)
{
    Show(5);
    view->SetCurrentCell(1, 2);
    Key(Qt::Key_F2);
    ASSERT_TRUE(view->IsEditing());
    EXPECT_EQ(view->EditorText(), QStringLiteral("http://example.com/2"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("/"));
    TypeText(QStringLiteral("\u20AC"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(view->IsEditing());
    EXPECT_EQ(grid.GetCellEx(1, 2), "http://example.com/2/\x80");
    EXPECT_TRUE(view->hasFocus());

    // Typing starts an edit that replaces the text; Escape drops it.
    Key(Qt::Key_X);
    ASSERT_TRUE(view->IsEditing());
    EXPECT_EQ(view->EditorText(), QStringLiteral("x"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(grid.GetCellEx(1, 2), "http://example.com/2/\x80");

    // Typing and then clicking elsewhere keeps the text.
    Key(Qt::Key_Y);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, CellCentre(2, 3));
    EXPECT_EQ(grid.GetCellEx(1, 2), "y");

    // Fixed cells are not edited.
    grid.SetCurrentCell(0, grid.Row());
    EXPECT_FALSE(view->EditCurrentCell());
    EXPECT_FALSE(view->IsEditing());
}

TEST_F(ResultGridViewTest, EditorShowsMarkupAsItsPlainTextAndLeavesItAloneUnchanged)
{
    Show(5);
    const std::string anchor = "<A href=\"http://a.example/\">http://a.example/</A>";
    grid.SetCellEx(1, 3, anchor);
    grid.SetCellEx(2, 3, "one\r\ntwo");
    view->SetCurrentCell(1, 3);
    ASSERT_TRUE(view->EditCurrentCell());
    EXPECT_EQ(view->EditorText(), QStringLiteral("http://a.example/"));
    view->EndEditing(true);
    EXPECT_EQ(grid.GetCellEx(1, 3), anchor);

    view->SetCurrentCell(2, 3);
    ASSERT_TRUE(view->EditCurrentCell());
    EXPECT_EQ(view->EditorText(), QStringLiteral("one\ntwo"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("!"));
    view->EndEditing(true);
    EXPECT_EQ(grid.GetCellEx(2, 3), "one\r\ntwo!");
}

TEST_F(ResultGridViewTest, HintsShowTheStoredTextOfNormalCellsOnly)
{
    Show(6);
    grid.SetCellEx(1, 2, "<A href=\"x.htm\">x.htm</A>");
    grid.SetCellEx(2, 3, "price \x80 5");
    grid.SetCellEx(1, 4, "");

    Hover(CellCentre(1, 2));
    EXPECT_EQ(view->HintText(), QStringLiteral("<A href=\"x.htm\">x.htm</A>"));
    Hover(CellCentre(2, 3));
    EXPECT_EQ(view->HintText(), QStringLiteral("price \u20AC 5"));

    // Moving into another cell withdraws the hint; within the same cell it stays.
    const QPoint inside = CellCentre(2, 3);
    MoveTo(inside + QPoint(3, 1));
    EXPECT_FALSE(view->HintText().isEmpty());
    MoveTo(CellCentre(1, 3));
    EXPECT_TRUE(view->HintText().isEmpty());

    Hover(CellCentre(1, 4)); // empty
    EXPECT_TRUE(view->HintText().isEmpty());
    Hover(CellCentre(0, 3)); // fixed column
    EXPECT_TRUE(view->HintText().isEmpty());
    Hover(CellCentre(1, 0)); // fixed row
    EXPECT_TRUE(view->HintText().isEmpty());
}

// The hint opens below and right of the pointer, so the pointer stays on the cell and the
// text shows; a long text wraps within the screen instead of being cut.
TEST_F(ResultGridViewTest, HintsOpenBesideThePointerAndWrapLongTexts)
{
    Show(6);
    std::string address = "http://example.com/";
    for (int i = 0; i < 60; ++i)
        address += "segment" + std::to_string(i) + "/";
    grid.SetCellEx(1, 3, address);
    auto* hint = view->findChild<CellHintWindow*>();
    const QRect screen = view->screen()->availableGeometry();

    Hover(CellCentre(2, 2));
    const QPoint pointer = Viewport()->mapToGlobal(CellCentre(2, 2));
    EXPECT_EQ(hint->geometry().topLeft(), pointer + QPoint(kHintOffsetX, kPointerHeight));

    Hover(CellCentre(1, 3));
    ASSERT_EQ(view->HintText().toStdString(), address);
    EXPECT_TRUE(screen.contains(hint->geometry()));
    EXPECT_LE(hint->width(), HintWrapWidth(screen.width()));
    EXPECT_GE(hint->height(), 3 * hint->fontMetrics().height()) << "several lines";
}

TEST_F(ResultGridViewTest, HeaderClicksSortAwayFromColumnBordersAndOnlyFromTheHeader)
{
    // Column 0 spans x 0..64, column 1 66..215 and column 2 217..366, each followed by its
    // grid line; the header row spans y 0..20. The rows: b, c, a, visited 3rd, 1st and 2nd.
    struct Click {
        QPoint Press;
        QPoint Release;
    };
    const QPoint address{140, 8};
    const QPoint visit{290, 8};
    const Click onAddress{address, address};
    const Click onVisit{visit, visit};
    const struct {
        const char* Rule;
        int Rows;
        std::vector<Click> Clicks;
        int Column;
        std::vector<std::string> Addresses;
    } cases[] = {
        {"the number header", 4, {{{32, 8}, {32, 8}}}, 0, {"b", "c", "a"}},
        {"pressed in a data cell", 4, {{{140, 32}, address}}, 0, {"b", "c", "a"}},
        {"3 px left of a border", 4, {{address, {213, 8}}}, 0, {"b", "c", "a"}},
        {"3 px right of a border", 4, {{address, {68, 8}}}, 0, {"b", "c", "a"}},
        {"4 px left of a border", 4, {{address, {212, 8}}}, 1, {"a", "b", "c"}},
        {"4 px right of a border", 4, {{address, {69, 8}}}, 1, {"a", "b", "c"}},
        {"two clicks", 4, {onAddress, onAddress}, 1, {"c", "b", "a"}},
        {"another header", 4, {onAddress, onAddress, onVisit}, 2, {"c", "a", "b"}},
        {"released on another header", 4, {{address, visit}}, 2, {"c", "a", "b"}},
        {"header plus one row", 2, {{address, address}}, 0, {"b"}},
    };
    const char* const addresses[] = {"b", "c", "a"};
    const char* const visits[] = {"03/01/2004 00:00:00", "01/01/2004 00:00:00",
                                  "02/01/2004 00:00:00"};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Rule);
        view.reset();
        grid.SetSortSettings(TSortSettings{});
        Show(test.Rows);
        for (int row = 1; row < test.Rows; ++row) {
            grid.SetCellEx(1, row, addresses[row - 1]);
            grid.SetCellEx(2, row, visits[row - 1]);
        }
        for (const Click& click : test.Clicks) {
            QTest::mousePress(Viewport(), Qt::LeftButton, {}, click.Press);
            QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, click.Release);
        }
        std::vector<std::string> listed;
        for (int row = 1; row < test.Rows; ++row) {
            listed.emplace_back(grid.GetCellEx(1, row));
        }
        EXPECT_EQ(listed, test.Addresses);
        EXPECT_EQ(grid.SortSettings().Column, test.Column);
    }
}

TEST_F(ResultGridViewTest, DoubleClickOnAHeaderBorderFitsTheColumnWithoutSorting)
{
    Show(4);
    const std::string longest = "http://www.example.com/a/much/longer/address.html";
    grid.SetCellEx(1, 2, longest);
    grid.SetCellEx(1, 3, "a.htm");
    QSignalSpy doubleClicks(view.get(), &TResultGridView::DblClickCell);
    QtCanvas measuring;
    const int fitted = measuring.MeasureLine(grid.Font(), longest).Width + 2 + 4;
    const auto doubleClick = [this](QPoint pos) {
        QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, pos);
        QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, pos);
    };

    doubleClick({218, 8}); // right of column 1's border: the column left of it
    EXPECT_EQ(grid.ColWidth(1), fitted);
    grid.SetColWidth(1, 150);
    doubleClick({213, 8}); // left of the same border: the column under it
    EXPECT_EQ(grid.ColWidth(1), fitted);
    doubleClick({67, 8}); // the border of the fixed column: it keeps its width
    doubleClick({62, 8});
    EXPECT_EQ(grid.ColWidth(0), 65);

    EXPECT_EQ(grid.SortSettings().Column, 0);
    EXPECT_EQ(grid.GetCellEx(1, 3), "a.htm");
    EXPECT_EQ(doubleClicks.count(), 0);
}

TEST_F(ResultGridViewTest, DoubleClickKeysAndContextMenuAreSignalled)
{
    Show(10);
    QSignalSpy doubleClicks(view.get(), &TResultGridView::DblClickCell);
    QSignalSpy keys(view.get(), &TResultGridView::KeyDown);
    QSignalSpy menus(view.get(), &TResultGridView::ContextMenuRequested);

    QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, CellCentre(1, 4));
    // A double-click ends with a release; QTest would otherwise keep the button held for
    // every later test in this process.
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, CellCentre(1, 4));
    ASSERT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(doubleClicks.at(0).at(0).toInt(), 1);
    EXPECT_EQ(doubleClicks.at(0).at(1).toInt(), 4);
    EXPECT_FALSE(view->IsEditing()); // a double-click opens the address, not the editor

    // The Ctrl key itself comes first, then Enter with Ctrl held.
    Key(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_FALSE(keys.isEmpty());
    EXPECT_EQ(keys.last().at(0).toInt(), static_cast<int>(Qt::Key_Return));
    EXPECT_TRUE(keys.last().at(1).value<Qt::KeyboardModifiers>() & Qt::ControlModifier);

    const QPoint pos = CellCentre(2, 2);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, pos, Viewport()->mapToGlobal(pos));
    QApplication::sendEvent(Viewport(), &menu);
    ASSERT_EQ(menus.count(), 1);
    EXPECT_EQ(menus.at(0).at(0).toPoint(), Viewport()->mapToGlobal(pos));
}

TEST_F(ResultGridViewTest, PaintsSilverGridLinesAndButtonFaceHeadersFarDownALongList)
{
    Show(60001);
    view->verticalScrollBar()->setValue(30000);
    const QImage shot = Viewport()->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    // The grid line under the fixed row is silver, the fixed row button face.
    EXPECT_EQ(shot.pixelColor(100, 21), QColor(192, 192, 192));
    EXPECT_EQ(shot.pixelColor(30, 1), view->palette().color(QPalette::Button));
}

// The anchors of markup cells: hand pointer, presses that open web targets only or move
// the focus to a named cell, and presses beside the anchor text that select as usual.
TEST_F(ResultGridViewTest, AnchorsTakeTheHandPointerAndPressesOpenThemThroughTheShell)
{
    Show(40);
    grid.SetCellEx(1, 2, "<A href=\"http://h.example/?a&amp;b\">page.htm</A>");
    grid.SetCellEx(1, 3, "<A href=\"javascript:alert(1)\">js</A>");
    grid.SetCellEx(1, 4, "<A href=\"CELL://C30\">to C30</A>");
    grid.SetCellEx(1, 5, "http://h.example/plain");
    RecordingShellService shell;
    view->SetShellService(shell);
    // The anchor text starts 3 pixels into the cell and 2 below its top.
    const auto onText = [this](int row) {
        const TextRect rect = view->Geometry().CellRect(1, row);
        return QPoint(rect.Left + 5, rect.Top + 6);
    };
    const auto besideText = [this](int row) {
        const TextRect rect = view->Geometry().CellRect(1, row);
        return QPoint(rect.Right - 5, rect.Top + 6);
    };

    MoveTo(onText(2));
    EXPECT_EQ(Viewport()->cursor().shape(), Qt::PointingHandCursor);
    MoveTo(besideText(2));
    EXPECT_EQ(Viewport()->cursor().shape(), Qt::ArrowCursor);
    MoveTo(onText(5));
    EXPECT_EQ(Viewport()->cursor().shape(), Qt::ArrowCursor);

    view->SetCurrentCell(2, 10);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, onText(2));
    EXPECT_EQ(shell.Opened(), std::vector<std::string>{"http://h.example/?a&b"});
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 10);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, onText(3));
    EXPECT_EQ(shell.Opened().size(), 1u);
    EXPECT_EQ(grid.Row(), 10);

    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, besideText(2));
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.Row(), 2);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, onText(5));
    EXPECT_EQ(grid.Row(), 5);
    EXPECT_EQ(shell.Opened().size(), 1u);

    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, onText(4));
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Row(), 30);
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 30, 2, 30}));
    const GridRange rows = view->Geometry().VisibleScrollRows();
    EXPECT_LE(rows.First, 30);
    EXPECT_GE(rows.Last, 30);
}

TEST_F(ResultGridViewTest, AnchorCellsAreDrawnBlueAndUnderlined)
{
    Show(5);
    grid.SetCellEx(1, 2, "<A href=\"http://h.example/\">http://h.example/</A>");
    grid.SetCellEx(1, 3, "http://h.example/");
    const QImage shot = Viewport()->grab().toImage();
    const TextRect anchorCell = view->Geometry().CellRect(1, 2);
    const int textWidth = QtCanvas().MeasureTextRun(grid.Font(), "http://h.example/", true).Width;
    const QColor blue(0, 0, 255);
    // Blue ink in the anchor cell, and a row of it under the whole text: the underline.
    int longestRun = 0;
    for (int y = anchorCell.Top; y < anchorCell.Bottom; ++y) {
        int run = 0;
        for (int x = anchorCell.Left + 3; x < anchorCell.Left + 3 + textWidth; ++x)
            run += shot.pixelColor(x, y) == blue ? 1 : 0;
        longestRun = std::max(longestRun, run);
    }
    EXPECT_GE(longestRun, textWidth - 2);
    // The plain address beside it has no blue at all.
    const TextRect plainCell = view->Geometry().CellRect(1, 3);
    for (int y = plainCell.Top; y < plainCell.Bottom; ++y) {
        for (int x = plainCell.Left; x < plainCell.Right; ++x)
            ASSERT_NE(shot.pixelColor(x, y), blue) << x << "," << y;
    }
}

} // namespace varnok
