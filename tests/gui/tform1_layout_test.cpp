#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "formfixture.h"
#include "grid/resultgrid.h"
#include "grid/table/cellmeasure.h"
#include "platform/qt/qtcanvas.h"

namespace varnok {

namespace {

namespace fs = std::filesystem;

class LayoutTest : public FormTest {
protected:
    [[nodiscard]] QWidget* Grid() const { return m_form->ResultGrid1View(); }
    [[nodiscard]] QWidget* Control(const char* name) const
    {
        return m_form->findChild<QWidget*>(QString::fromLatin1(name));
    }
    [[nodiscard]] std::vector<int> ColWidths() const
    {
        const TResultGrid& grid = m_form->Grid();
        return {grid.ColWidth(0), grid.ColWidth(1), grid.ColWidth(2)};
    }
    void SetColWidths(int col0, int col1, int col2)
    {
        m_form->Grid().SetColWidth(0, col0);
        m_form->Grid().SetColWidth(1, col1);
        m_form->Grid().SetColWidth(2, col2);
    }
    // Top, Left, Height and Width as stored.
    [[nodiscard]] std::vector<std::string> StoredBounds() const
    {
        std::vector<std::string> bounds;
        for (const char* key : {"Top", "Left", "Height", "Width"})
            bounds.push_back(StoredValue("Settings", key));
        return bounds;
    }
};

using Widths = std::vector<int>;
using Texts = std::vector<std::string>;

TEST_F(LayoutTest, ControlsSitAtTheirDesignPlaces)
{
    CreateQuiet();
    EXPECT_EQ(m_form->objectName().toStdString(), "Form1");
    EXPECT_EQ(m_form->windowTitle().toStdString(), "Varnok 5");
    EXPECT_EQ(Control("Edit2")->geometry(), QRect(3, 7, 346, 21));
    EXPECT_EQ(Control("Edit2")->toolTip().toStdString(),
              "Cache folder path. Click OK  to run open dialog or change the path and click OK to "
              "open a different folder.");
    EXPECT_EQ(PathBox()->palette().color(QPalette::Base), QColor(Qt::white));
    auto* ok = m_form->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->geometry(), QRect(364, 7, 61, 20));
    EXPECT_EQ(ok->text().toStdString(), "OK");
    EXPECT_EQ(Label("Label6")->pos(), QPoint(436, 0));
    EXPECT_EQ(LabelText("Label6"), "Number of lines: ");
    // The count and the size follow their captions where the font at hand makes the texts
    // wider than designed (CountLabelsNeverTouch).
    EXPECT_EQ(Label("Label7")->y(), 0);
    EXPECT_GE(Label("Label7")->x(), 520);
    EXPECT_EQ(Label("Label5")->y(), 0);
    EXPECT_GE(Label("Label5")->x(), 566);
    EXPECT_EQ(LabelText("Label5"), "Index size:");
    EXPECT_EQ(Label("Label4")->pos(), QPoint(Label("Label5")->x(), 13));
    EXPECT_EQ(Label("Label1")->pos(), QPoint(49, 81));
    EXPECT_EQ(Label("Label1")->font().pixelSize(), 16);
    EXPECT_EQ(Grid()->objectName().toStdString(), "ResultGrid1");
    EXPECT_EQ(Grid()->parentWidget(), Control("Edit2")->parentWidget());
}

TEST_F(LayoutTest, MenusHoldEveryEntryWithItsCaptionAndShortcut)
{
    CreateQuiet();
    QMenuBar* bar = m_form->findChild<QMenuBar*>(QStringLiteral("MainMenu1"));
    ASSERT_NE(bar, nullptr);
    std::vector<std::string> topLevel;
    for (QAction* action : bar->actions())
        topLevel.push_back(action->text().toStdString());
    EXPECT_EQ(topLevel, (std::vector<std::string>{"Select Cac&he", "Open in &Browser", "&Save...  ",
                                                  "&Print     ", "&Find", "&Clear     ",
                                                  "&Options     ", "He&lp   ", "E&xit"}));

    struct Entry {
        const char* Name;
        const char* Caption;
        QKeySequence Shortcut;
    };
    const Entry entries[] = {
        {"SelectHistoryFolder1", "Select Cac&he", {}},
        {"OpenURL2", "Open in &Browser", {}},
        {"astextfile1", "as text file", {}},
        {"asExcelfile1", "as Excel file", {}},
        {"asHTMLfile1", "as HTML file", {}},
        {"Preview1", "Pre&view", {}},
        {"Settings1", "&Settings", {}},
        {"Printall1", "Print all", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"Printselectedcells1", "Print selected &cells", {}},
        {"Find2", "Find", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"Findnext1", "Find next", QKeySequence(Qt::Key_F3)},
        {"Clear1", "&Clear     ", {}},
        {"Dateformatmdy1", "Date format: &m/d/y", {}},
        {"Dateformatdmy1", "Date format: &d/m/y", {}},
        {"SelectFont1", "Select &Font", {}},
        {"Donotshowwelcome1", "Do &not show welcome", {}},
        {"Showwelcomewindow1", "&Show welcome window", {}},
        {"Setdefaultpath1", "Set default cache &path", {}},
        {"Showtextonly1", "Show text only", {}},
        {"Cellformattext1", "Cell format: &text", {}},
        {"CellformatHTML1", "Cell format: &HTML", {}},
        {"Openhelp1", "&Open help", {}},
        {"About1", "&About", {}},
        {"Exit1", "E&xit", {}},
        {"Openinbrowser1", "Open in browser", {}},
        {"Copycell1", "Copy cell", {}},
        {"Printcell1", "Print cell", {}},
    };
    for (const Entry& entry : entries) {
        QAction* action = Action(entry.Name);
        ASSERT_NE(action, nullptr) << entry.Name;
        EXPECT_EQ(action->text().toStdString(), entry.Caption) << entry.Name;
        EXPECT_EQ(action->shortcut(), entry.Shortcut) << entry.Name;
        EXPECT_TRUE(action->isEnabled()) << entry.Name;
    }
    auto* hint = m_form->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    ASSERT_NE(hint, nullptr);
    ASSERT_EQ(hint->actions().size(), 1);
    EXPECT_EQ(hint->actions()[0]->text().toStdString(), "Click OK button to read the index file!");
}

// 11 % of 684 pixels would give the visit times 75 pixels; they get what a visit time needs
// in the cell font, so a date stays on one line and the caption shows whole.
TEST_F(LayoutTest, ResizeAfterStartUpSizesGridAndColumns)
{
    CreateQuiet();
    m_form->SetStartupDone();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->ApplyStartWindowState();
    m_form->resize(692, 470);
    QApplication::processEvents();
    m_form->FormResize();

    ASSERT_EQ(m_form->centralWidget()->width(), 692);
    EXPECT_EQ(Grid()->geometry(), QRect(4, 31, 684, m_form->centralWidget()->height() - 1 - 31));
    EXPECT_TRUE(Grid()->isVisibleTo(m_form.get()));
    QtCanvas canvas;
    const TGridFont& font = m_form->Grid().Font();
    const int visit = MeasureWidestLine(canvas, font, "00/00/0000 00:00:00") + 4;
    ASSERT_GT(visit, 75);
    EXPECT_EQ(ColWidths(), (Widths{65, 684 - 65 - visit - 20, visit}));
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "12/31/2005 23:59:59", visit - 4),
              canvas.MeasureLine(font, "1").Height);
    EXPECT_EQ(StoredValue("Settings", "WinState"), "0");
}

// Counts of five digits and index sizes in the hundreds of megabytes, in the font this
// machine falls back to: each label stays clear of the next.
TEST_F(LayoutTest, CountLabelsNeverTouch)
{
    CreateQuiet();
    m_form->SetLineCountText("60000");
    m_form->SetIndexSizeText("512000 KB");
    for (const auto& [left, right] : {std::pair{"Label6", "Label7"}, std::pair{"Label7", "Label5"},
                                      std::pair{"Label7", "Label4"}})
        EXPECT_LT(Label(left)->geometry().right() + 1, Label(right)->x()) << left << right;
}

// The resize the window manager sends while the window comes onto the screen is not the
// user's: the widths the user left keep their place, in the grid and in the file.
TEST_F(LayoutTest, WidthsOfTheLastRunSurviveTheWindowAppearing)
{
    WriteSettings(std::string(kQuietSettings) + "[ColumnSizes]\nCol0=65\nCol1=334\nCol2=150\n");
    Create({"/cache:" + MakeCache("c", {"http://a.example/1"})});
    m_form->SetStartupDone();
    m_form->resize(698, 426);
    QApplication::processEvents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->ApplyStartWindowState();
    QApplication::processEvents();
    EXPECT_EQ(ColWidths(), (Widths{65, 334, 150}));
    m_form->close();
    EXPECT_EQ(StoredValue("ColumnSizes", "Col1"), "334");
}

// Without widths from an earlier run, the first window fills its width by the resize rule.
TEST_F(LayoutTest, FirstWindowWithoutStoredWidthsFillsItsWidth)
{
    CreateQuiet();
    m_form->SetStartupDone();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    m_form->ApplyStartWindowState();
    QApplication::processEvents();
    QtCanvas canvas;
    const int visit = MeasureWidestLine(canvas, m_form->Grid().Font(), "00/00/0000 00:00:00") + 4;
    const int width = Grid()->width();
    ASSERT_GT(width, 600);
    EXPECT_EQ(ColWidths(), (Widths{65, width - 65 - visit - 20, visit}));
}

TEST_F(LayoutTest, ResizeDuringStartUpOnlyPlacesTheGrid)
{
    CreateQuiet();
    m_form->Grid().SetColWidth(1, 300);
    m_form->FormResize();

    EXPECT_EQ(Grid()->y(), 31);
    EXPECT_EQ(m_form->Grid().ColWidth(1), 300);
    EXPECT_EQ(StoredValue("Settings", "WinState"), "<missing>");
}

TEST_F(LayoutTest, WindowStartedMaximizedKeepsItsColumnWidths)
{
    CreateQuiet("[Settings]\nWinState=2\n");
    m_form->SetStartupDone();
    m_form->FormResize();
    SetColWidths(70, 300, 100);
    m_form->FormResize();
    EXPECT_EQ(ColWidths(), (Widths{70, 300, 100}));
}

// A window started maximized keeps the widths the settings file gave it, however its size
// changes, and closing writes back what was read: three runs leave them as they were.
TEST_F(LayoutTest, RunsStartedMaximizedLeaveTheStoredColumnWidthsAlone)
{
    const std::string cache = MakeCache("cache", {"http://a.example/"});
    WriteSettings(std::string(kQuietSettings) + "[Settings]\nWinState=2\nCache path=" + cache +
                  "\n[ColumnSizes]\nCol0=65\nCol1=300\nCol2=200\n");
    for (int run = 1; run <= 3; ++run) {
        Create();
        m_form->SetStartupDone();
        m_form->ApplyStartWindowState();
        m_form->showNormal();
        m_form->resize(500, 400);
        m_form->showMaximized();
        QApplication::processEvents();
        EXPECT_EQ(ColWidths(), (Widths{65, 300, 200})) << run;
        m_form->close();
        m_form.reset();
        EXPECT_EQ(StoredValue("ColumnSizes", "Col1") + StoredValue("ColumnSizes", "Col2"),
                  "300200");
    }
}

// The stored bounds are the outer ones, frame included (the platform here draws a frame of
// its own): they come back as the window's outer bounds, so start after start the window
// neither grows nor moves.
TEST_F(LayoutTest, CloseInNormalStateSavesTheOuterBounds)
{
    WriteSettings(std::string(kQuietSettings) +
                  "[Settings]\nTop=111\nLeft=60\nHeight=470\nWidth=700\n");
    MakeWineCache();
    for (int run = 1; run <= 3; ++run) {
        Create();
        m_form->SetStartupDone();
        QApplication::processEvents();
        EXPECT_EQ(m_form->frameGeometry(), QRect(60, 111, 700, 470)) << run;
        ASSERT_NE(m_form->frameGeometry(), m_form->geometry()) << "no frame, nothing proved";
        m_form->close();
        m_form.reset();
        EXPECT_EQ(StoredBounds(), (Texts{"111", "60", "470", "700"})) << run;
    }
}

// Bounds that no window can use come up as designed and go back as the window was.
TEST_F(LayoutTest, UnusableStoredBoundsGiveTheDesignedWindow)
{
    for (const char* stored :
         {"Top=111\nLeft=60\nWidth=0\nHeight=0\n", "Top=111\nLeft=60\nWidth=-700\nHeight=-470\n",
          "Top=-9000\nLeft=9000\nWidth=100000\nHeight=100000\n"}) {
        CreateQuiet(std::string("[Settings]\n") + stored);
        m_form->SetStartupDone();
        QApplication::processEvents();
        EXPECT_TRUE(m_form->isVisible()) << stored;
        EXPECT_EQ(m_form->frameGeometry(), QRect(60, 111, 700, 470)) << stored;
        m_form->close();
        EXPECT_EQ(StoredBounds(), (Texts{"111", "60", "470", "700"})) << stored;
        m_form.reset();
    }
}

// A settings file that refuses every write: resizing reports it in one box, opened after
// the resize rather than inside it, and again only once a write has succeeded in between.
TEST_F(LayoutTest, RefusedWritesDuringResizesShowOneBoxAfterTheResize)
{
    // Larger than any settings file is read whole, so it is read but never rewritten.
    const std::string refusing = std::string(kQuietSettings) + std::string(1024 * 1024, '\n');
    CreateQuiet();
    WriteSettings(refusing);
    m_form->SetStartupDone();
    QApplication::processEvents();
    const auto boxes = [this] {
        return m_dialogs.CountOf(ScriptedDialogs::Kind::ApplicationError);
    };

    m_form->resize(600, 400);
    EXPECT_EQ(boxes(), 0) << "no box inside the resize";
    QApplication::processEvents();
    EXPECT_EQ(boxes(), 1);
    for (int i = 1; i <= 12; ++i) {
        m_form->resize(600 + i, 400);
        QApplication::processEvents();
    }
    EXPECT_EQ(boxes(), 1);

    WriteSettings(kQuietSettings);
    m_form->resize(650, 420);
    QApplication::processEvents();
    WriteSettings(refusing);
    m_form->resize(660, 430);
    QApplication::processEvents();
    EXPECT_EQ(boxes(), 2) << "a new failure after a good write is news";
    EXPECT_EQ(m_dialogs.CallsOf(ScriptedDialogs::Kind::ApplicationError)[1].Text,
              "Unable to write to " + SettingsPath());

    Action("Exit1")->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_EQ(boxes(), 2);
}

TEST_F(LayoutTest, CloseWhileMaximizedKeepsTheStoredBounds)
{
    CreateQuiet("[Settings]\nTop=10\nLeft=20\nHeight=300\nWidth=400\n");
    m_form->SetStartupDone();
    m_form->setWindowState(Qt::WindowMaximized);
    QApplication::processEvents();
    m_form->close();

    EXPECT_EQ(StoredBounds(), (Texts{"10", "20", "300", "400"}));
    EXPECT_EQ(StoredValue("Settings", "WinState"), "2");
}

TEST_F(LayoutTest, ColumnWidthsAreNotSavedWhileTheGridIsHidden)
{
    CreateQuiet();
    QApplication::processEvents();
    ASSERT_FALSE(Grid()->isVisibleTo(m_form.get()));
    m_form->close();
    EXPECT_EQ(SettingsText().find("[ColumnSizes]"), std::string::npos);
    EXPECT_EQ(StoredValue("Settings", "Width"), "700") << "the window itself was closed";
}

TEST_F(LayoutTest, ColumnWidthsAreSavedWhileTheGridIsVisible)
{
    CreateQuiet();
    m_form->Grid().SetColWidth(1, 321);
    Grid()->show();
    m_form->close();
    EXPECT_EQ(StoredValue("ColumnSizes", "Col0"), "65");
    EXPECT_EQ(StoredValue("ColumnSizes", "Col1"), "321");
    EXPECT_EQ(StoredValue("ColumnSizes", "Col2"), "150");
}

TEST_F(LayoutTest, StoredColumnWidthsComeBackWithTheGrid)
{
    CreateQuiet("[ColumnSizes]\nCol0=50\nCol1=400\nCol2=120\n");
    EXPECT_EQ(ColWidths(), (Widths{50, 400, 120}));
}

TEST_F(LayoutTest, CloseGivesDesktopIniItsNameBack)
{
    CreateQuiet();
    const std::string content = m_form->Paths().ContentFolder;
    WriteWholeFile(content + "desktop.in0", "set aside");
    m_form->close();
    EXPECT_EQ(ReadWholeFile(content + "desktop.ini"), "set aside");
    EXPECT_FALSE(fs::exists(content + "desktop.in0"));
}

TEST_F(LayoutTest, FirstPaintLaysOutUntilTheSettingsFileExists)
{
    MakeWineCache();
    // No settings file: the welcome message is on and no default folder is in use.
    Create();
    EXPECT_TRUE(m_form->ResizeOnPaint());
    auto* hint = m_form->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    m_form->FormPaint();
    EXPECT_TRUE(hint->isVisible()) << "the one-shot hint";
    EXPECT_FALSE(m_form->HintPending());
    EXPECT_TRUE(m_form->ResizeOnPaint());
    EXPECT_TRUE(Grid()->isVisibleTo(m_form.get())) << "paint runs the layout";
    hint->hide();

    m_form->FormPaint();
    EXPECT_FALSE(hint->isVisible()) << "only once";

    WriteSettings("[Settings]\n");
    m_form->FormPaint();
    EXPECT_FALSE(m_form->ResizeOnPaint());
}

TEST_F(LayoutTest, HintWaitsWhileABoxWaitsForInput)
{
    MakeWineCache();
    Create();
    auto* hint = m_form->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    QDialog box(m_form.get());
    bool hintShownDuringBox = true;
    QTimer::singleShot(0, &box, [&] {
        m_form->FormPaint();
        hintShownDuringBox = hint->isVisible();
        box.reject();
    });
    box.exec();
    EXPECT_FALSE(hintShownDuringBox);
    EXPECT_TRUE(m_form->HintPending());

    m_form->FormPaint();
    EXPECT_TRUE(hint->isVisible());
    EXPECT_FALSE(m_form->HintPending());
    hint->hide();
}

// The hint takes nothing from the user: the first click on OK, beside it, presses OK and
// the hint goes away.
TEST_F(LayoutTest, AClickBesideTheHintReachesWhatItAimedAt)
{
    MakeWineCache();
    Create();
    m_form->SetStartupDone();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    auto* hint = m_form->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    m_form->FormPaint();
    ASSERT_TRUE(hint->isVisible());
    m_dialogs.Calls.clear();
    // Through the window system, as a real click comes, where an open pop-up would take it.
    QWidget* ok = Control("BitBtn1");
    QTest::mouseClick(m_form->windowHandle(), Qt::LeftButton, {},
                      ok->mapTo(m_form.get(), ok->rect().center()));
    EXPECT_FALSE(hint->isVisible());
    EXPECT_EQ(m_dialogs.CountOf(ScriptedDialogs::Kind::OpenFile), 1);
}

TEST_F(LayoutTest, NoHintWithTheWelcomeMessageOff)
{
    CreateQuiet();
    m_form->FormPaint();
    EXPECT_FALSE(m_form->findChild<QMenu*>(QStringLiteral("PopupMenu1"))->isVisible());
    EXPECT_FALSE(m_form->HintPending());
    EXPECT_FALSE(m_form->ResizeOnPaint());
}

TEST_F(LayoutTest, PathBoxMenuOpensOnlyAfterTheOkButtonHadTheFocus)
{
    CreateQuiet();
    auto* hint = m_form->findChild<QMenu*>(QStringLiteral("PopupMenu1"));
    auto rightClick = [this] {
        const QPoint pos(10, 10);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, PathBox()->mapToGlobal(pos));
        QApplication::sendEvent(PathBox(), &event);
    };
    auto anyMenuVisible = [] {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(), [](QWidget* widget) {
            return qobject_cast<QMenu*>(widget) != nullptr && widget->isVisible();
        });
    };
    rightClick();
    EXPECT_FALSE(anyMenuVisible());

    m_form->BitBtn1Enter();
    rightClick();
    EXPECT_TRUE(hint->isVisible());
    hint->hide();
}

} // namespace

} // namespace varnok
