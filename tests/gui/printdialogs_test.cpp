#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <map>
#include <string>
#include <vector>

#include "grid/resultgrid.h"
#include "modaldialog.h"
#include "print/griddialogerror.h"
#include "print/gridprintcommands.h"
#include "print/previewwindow.h"
#include "print/printpreviewpanel.h"
#include "print/printtarget.h"
#include "print/tgridpreviewdialog.h"
#include "print/tgridprintsettingsdialog.h"
#include "printfixtures.h"

namespace varnok {

namespace {

// A print target whose printer dialog answers as told and whose printer records pages.
class ScriptedTarget final : public PrintTarget {
public:
    bool RunPrintDialog(QWidget* /*parent*/, int pageCount) override
    {
        ++DialogRuns;
        OfferedPages = pageCount;
        if (DuringDialog)
            DuringDialog();
        return Answer;
    }
    TPageRange ChosenPages() const override { return Pages; }
    bool PrintsToFile() override { return ToFile; }
    PagePrinter& Printer() override { return printer; }

    bool Answer = true;
    TPageRange Pages;
    bool ToFile = false;
    int DialogRuns = 0;
    int OfferedPages = 0;
    std::function<void()> DuringDialog;
    RecordingPrinter printer;
};

template <typename T> T* child(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

std::string text(const QString& value)
{
    return value.toStdString();
}

void addCaptions(QLayoutItem* item, std::vector<std::string>& captions)
{
    if (item == nullptr)
        return;
    if (QLayout* inner = item->layout()) {
        for (int i = 0; i < inner->count(); ++i)
            addCaptions(inner->itemAt(i), captions);
    } else if (auto* label = qobject_cast<QLabel*>(item->widget())) {
        captions.push_back(text(label->text()));
    } else if (auto* button = qobject_cast<QAbstractButton*>(item->widget())) {
        captions.push_back(text(button->text()));
    }
}

// Every group's captions in the order its rows show them.
std::map<std::string, std::vector<std::string>> groupCaptions(QWidget* window)
{
    std::map<std::string, std::vector<std::string>> groups;
    for (QGroupBox* group : window->findChildren<QGroupBox*>()) {
        auto* layout = qobject_cast<QFormLayout*>(group->layout());
        std::vector<std::string>& captions = groups[text(group->title())];
        for (int row = 0; layout != nullptr && row < layout->rowCount(); ++row) {
            if (QLayoutItem* spanning = layout->itemAt(row, QFormLayout::SpanningRole)) {
                addCaptions(spanning, captions);
                continue;
            }
            addCaptions(layout->itemAt(row, QFormLayout::LabelRole), captions);
            addCaptions(layout->itemAt(row, QFormLayout::FieldRole), captions);
        }
    }
    return groups;
}

std::vector<std::string> items(QComboBox* box)
{
    std::vector<std::string> result;
    for (int i = 0; box != nullptr && i < box->count(); ++i)
        result.push_back(text(box->itemText(i)));
    return result;
}

std::vector<int> geometryOf(QWidget* widget)
{
    const QRect r = widget->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

void press(QWidget* window, const char* name)
{
    child<QAbstractButton>(window, name)->click();
}

class PrintDialogsTest : public ::testing::Test {
protected:
    PrintDialogsTest() { FillNumberedList(grid, 3); }

    /** Shows the settings window, runs `inspect` on it, then closes it with `button`. */
    bool RunSettings(const std::function<void(QWidget*)>& inspect, const char* button = "Cancel")
    {
        WhenModalIsUp([inspect, button](QWidget* window) {
            inspect(window);
            press(window, button);
        });
        return settings.Execute();
    }

    TResultGrid grid;
    TGridPrintSettingsDialog settings;
};

const std::vector<std::string> kPositions = {"(none)",       "Top Left",    "Top Right",
                                             "Top Center",   "Bottom Left", "Bottom Right",
                                             "Bottom Center"};

} // namespace

TEST_F(PrintDialogsTest, SettingsWindowShowsItsTabsGroupsAndControls)
{
    settings.Grid = &grid;
    bool inspected = false;
    const bool ok = RunSettings([&](QWidget* window) {
        inspected = true;
        EXPECT_EQ(text(window->windowTitle()), "Print Settings");
        EXPECT_EQ(window->size(), QSize(523, 387));
        auto* tabs = window->findChild<QTabWidget*>();
        std::vector<std::string> shownTabs;
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->isTabVisible(i))
                shownTabs.push_back(text(tabs->tabText(i)));
        }
        EXPECT_EQ(shownTabs, (std::vector<std::string>{"General", "Headers / Footers", "Margins"}));

        const std::vector<std::string> units = {"mm", "mm", "mm", "mm"};
        const std::map<std::string, std::vector<std::string>> expected = {
            {"Borders:", {"&Border:", "Border &Style:"}},
            {"General:",
             {"Fit to &Page:", "&AutoSize Columns", "&Center on Page", "Repeat Fixed Ro&ws",
              "Repeat Fi&xed Columns", "Print graphics"}},
            {"Fonts:",
             {"Select the Table Font", "Select the Header Font", "Select the Footer Font"}},
            {"Date / Time:", {"&Date Position:", "Date &Format:", "&Time Position:"}},
            {"Title:", {"Title Po&sition:", "Title Te&xt:"}},
            {"Page Numbers:", {"&Pages Position:", "Pr&efix:", "Sep&arator:", "S&uffix:"}},
            {"Margins:",
             {"&Top Margin :", "mm", "&Left Margin :", "mm", "&Bottom Margin :", "mm",
              "&Right Margin :", "mm", "mm", "inch"}},
            {"Spacing:",
             {"Row &Spacing :", "mm", "C&olumn Spacing :", "mm", "Title &Margin :", "mm"}},
            {"Orientation:", {"&Page Orientation:"}},
        };
        EXPECT_EQ(groupCaptions(window), expected);

        const std::map<std::string, std::vector<std::string>> lists = {
            {"BorderList",
             {"(none)", "Single", "Double", "Vertical", "Horizontal", "Around", "Around Vertical",
              "Around Horizontal"}},
            {"BorderStyleList", {"Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot", "(none)"}},
            {"FitToPageList", {"Never", "Grow to Fit", "Shrink to Fit", "Always"}},
            {"DatePositionList", kPositions},
            {"TimePositionList", kPositions},
            {"TitlePositionList", kPositions},
            {"PagesPositionList", kPositions},
            {"OrientationList", {"Portrait", "Landscape"}},
        };
        for (const auto& [name, entries] : lists)
            EXPECT_EQ(items(child<QComboBox>(window, name.c_str())), entries) << name;

        // The controls show the settings a grid starts with.
        EXPECT_EQ(child<QComboBox>(window, "BorderList")->currentIndex(), 1);
        EXPECT_EQ(text(child<QDoubleSpinBox>(window, "TopMargin")->text()), "5.00");
        EXPECT_EQ(text(child<QDoubleSpinBox>(window, "RowSpacing")->text()), "6.00");
        EXPECT_FALSE(child<QCheckBox>(window, "AutoSizeColumns")->isChecked());
        EXPECT_TRUE(child<QCheckBox>(window, "CenterOnPage")->isChecked());
        EXPECT_EQ(text(child<QLineEdit>(window, "DateFormatBox")->text()), "dd/mm/yyyy");
        EXPECT_EQ(text(child<QLineEdit>(window, "SeparatorBox")->text()), "/");

        EXPECT_EQ(geometryOf(child<QWidget>(window, "PreviewPanel")),
                  (std::vector<int>{273, 0, 250, 346}));
        EXPECT_EQ(geometryOf(child<QWidget>(window, "OK")), (std::vector<int>{178, 354, 75, 25}));
        EXPECT_EQ(geometryOf(child<QWidget>(window, "Cancel")),
                  (std::vector<int>{269, 354, 75, 25}));
        EXPECT_TRUE(child<QPushButton>(window, "OK")->isDefault());
        // The window previews the first page without counting pages.
        EXPECT_TRUE(grid.PrintState.PreviewFast);
        EXPECT_EQ(grid.PrintState.FromPage, 1);
    });
    EXPECT_TRUE(inspected);
    EXPECT_FALSE(ok);
}

TEST_F(PrintDialogsTest, PositionListsEnableTheBoxesThatNeedAPosition)
{
    settings.Grid = &grid;
    const struct {
        const char* list;
        int index;
        std::vector<const char*> controls;
        bool enabled;
    } cases[] = {
        {"BorderList", 0, {"BorderStyleList"}, false},
        {"BorderList", 2, {"BorderStyleList"}, true},
        {"DatePositionList", 0, {"DateFormatBox"}, false},
        {"DatePositionList", 4, {"DateFormatBox"}, true},
        {"TitlePositionList", 0, {"TitleTextBox"}, false},
        {"TitlePositionList", 3, {"TitleTextBox"}, true},
        {"PagesPositionList", 5, {"PrefixBox", "SeparatorBox", "SuffixBox"}, true},
        {"PagesPositionList", 0, {"PrefixBox", "SeparatorBox", "SuffixBox"}, false},
    };
    RunSettings([&cases](QWidget* window) {
        // As filled from the start values: a border, no date, title or page number.
        EXPECT_TRUE(child<QWidget>(window, "BorderStyleList")->isEnabled());
        EXPECT_FALSE(child<QWidget>(window, "DateFormatBox")->isEnabled());
        EXPECT_FALSE(child<QWidget>(window, "PrefixBox")->isEnabled());
        for (const auto& c : cases) {
            child<QComboBox>(window, c.list)->setCurrentIndex(c.index);
            for (const char* control : c.controls)
                EXPECT_EQ(child<QWidget>(window, control)->isEnabled(), c.enabled)
                    << c.list << " " << c.index << " " << control;
        }
    });
}

TEST_F(PrintDialogsTest, LengthsShowInMillimetresOrInchesAndApplyBelowTheirBounds)
{
    settings.Grid = &grid;
    RunSettings([this](QWidget* window) {
        auto* top = child<QDoubleSpinBox>(window, "TopMargin");
        auto* rowSpacing = child<QDoubleSpinBox>(window, "RowSpacing");
        top->setValue(12.34);
        EXPECT_EQ(grid.PrintSettings.HeaderSize, 123);

        child<QRadioButton>(window, "UnitInch")->click();
        EXPECT_EQ(text(top->text()), "0.48"); // 123 / 254
        EXPECT_EQ(text(child<QLabel>(window, "TopMarginUnit")->text()), "inch");
        EXPECT_EQ(text(child<QLabel>(window, "TitleSpacingUnit")->text()), "inch");
        grid.PrintSettings.HeaderSize = 50;
        child<QRadioButton>(window, "UnitMm")->click();
        child<QRadioButton>(window, "UnitInch")->click();
        EXPECT_EQ(text(top->text()), "0.20");

        // Another control's change leaves the shown lengths unrounded.
        child<QComboBox>(window, "BorderList")->setCurrentIndex(3);
        EXPECT_EQ(grid.PrintSettings.HeaderSize, 50);
        EXPECT_EQ(grid.PrintSettings.Borders, pbVertical);

        // The boxes hold no value from their bound on: what they show is what is stored.
        const struct {
            QDoubleSpinBox* box;
            double value;
            int TPrintSettings::*setting;
            int expected;
            const char* shown;
        } typed[] = {
            {top, 1, &TPrintSettings::HeaderSize, 254, "1.00"},
            {top, 500, &TPrintSettings::HeaderSize, 126997, "499.99"}, // the margins' bound
            {top, 2, &TPrintSettings::HeaderSize, 508, "2.00"},
            {rowSpacing, 0.5, &TPrintSettings::RowSpacing, 127, "0.50"},
            {rowSpacing, 100, &TPrintSettings::RowSpacing, 25397, "99.99"}, // the spacings'
        };
        for (const auto& t : typed) {
            t.box->setValue(t.value);
            EXPECT_EQ(grid.PrintSettings.*t.setting, t.expected) << t.value;
            EXPECT_EQ(text(t.box->text()), t.shown) << t.value;
        }
    });
}

// Typed as a user types, a key at a time: a digit that would pass the bound is refused, so
// OK stores the length the box shows and the box shows it again next time.
TEST_F(PrintDialogsTest, OkStoresTheLengthTheBoxShowsAsTyped)
{
    settings.Grid = &grid;
    const struct {
        const char* box;
        const char* typed;
        int TPrintSettings::*setting;
        int expected;
    } cases[] = {
        {"TopMargin", "600", &TPrintSettings::HeaderSize, 600},
        {"LeftMargin", "12.5", &TPrintSettings::LeftSize, 125},
        {"ColumnSpacing", "150", &TPrintSettings::ColumnSpacing, 150},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        double shownAtOk = -1;
        RunSettings(
            [&c, &shownAtOk](QWidget* window) {
                auto* box = child<QDoubleSpinBox>(window, c.box);
                box->setFocus();
                box->selectAll();
                QTest::keyClicks(box, QString::fromLatin1(c.typed));
                shownAtOk = box->value();
            },
            "OK");
        EXPECT_EQ(grid.PrintSettings.*c.setting, c.expected);
        double shownAgain = -2;
        RunSettings([&c, &shownAgain](QWidget* window) {
            shownAgain = child<QDoubleSpinBox>(window, c.box)->value();
        });
        EXPECT_EQ(shownAgain, shownAtOk);
    }
}

TEST_F(PrintDialogsTest, CancelGivesBackTheSettingsAndOkKeepsThem)
{
    settings.Grid = &grid;
    settings.ChooseFont = [](QWidget*, const TPrintFont& current) {
        TPrintFont chosen = current;
        chosen.Name = "DejaVu Serif";
        chosen.Size = 12;
        return std::optional<TPrintFont>(chosen);
    };
    for (const char* button : {"Cancel", "OK"}) {
        SCOPED_TRACE(button);
        grid.PrintSettings = TPrintSettings{};
        grid.PrintSettings.TitleText = "Case 17";
        const bool ok = RunSettings(
            [this](QWidget* window) {
                EXPECT_EQ(text(child<QPlainTextEdit>(window, "TitleTextBox")->toPlainText()),
                          "Case 17");
                child<QComboBox>(window, "BorderList")->setCurrentIndex(2);
                press(window, "TableFont");
                EXPECT_EQ(grid.PrintSettings.Borders, pbDouble);
                EXPECT_EQ(grid.PrintSettings.Font.Size, 12);
            },
            button);
        const bool kept = std::string(button) == "OK";
        EXPECT_EQ(ok, kept);
        EXPECT_EQ(grid.PrintSettings.Borders, kept ? pbDouble : pbSingle);
        EXPECT_EQ(grid.PrintSettings.Font.Name, kept ? "DejaVu Serif" : "MS Sans Serif");
        EXPECT_EQ(grid.PrintSettings.TitleText, kept ? "" : "Case 17");
        EXPECT_EQ(grid.PrintSettings.TitleLines,
                  kept ? std::vector<std::string>{"Case 17"} : std::vector<std::string>{});
        EXPECT_TRUE(grid.PrintState.PreviewFast);
    }
}

TEST_F(PrintDialogsTest, DialogsWithoutAGridSaySo)
{
    TGridPreviewDialog preview;
    for (const std::function<void()>& execute :
         {std::function<void()>([this] { settings.Execute(); }),
          std::function<void()>([&preview] { preview.Execute(); })}) {
        try {
            execute();
            ADD_FAILURE() << "no error raised";
        } catch (const EGridDialogError& error) {
            EXPECT_EQ(std::string(error.what()), "The dialog does not have a grid component.");
        }
    }
}

TEST_F(PrintDialogsTest, PreviewStepsThroughThePagesAndRemembersItsPlace)
{
    // Rows of 35 mm: three pages of A4.
    FillNumberedList(grid, 15);
    grid.PrintSettings.RowSpacing = 300;
    TGridPreviewDialog preview;
    preview.Grid = &grid;
    EXPECT_EQ((std::pair{preview.PreviewWidth(), preview.PreviewHeight()}), (std::pair{750, 500}));
    EXPECT_EQ((std::pair{preview.PreviewLeft, preview.PreviewTop}), (std::pair{20, 0}));

    WhenModalIsUp([this](QWidget* modal) {
        auto* window = qobject_cast<PreviewWindow*>(modal);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        EXPECT_EQ(text(window->windowTitle()), "Preview - Page 1 of 3");
        EXPECT_EQ(window->geometry().size(), QSize(750, 500));
        EXPECT_EQ(window->minimumSize(), QSize(350, 100));
        EXPECT_EQ(geometryOf(window->Panel()), (std::vector<int>{37, 64, 675, 413}));
        for (const char* name : {"Previous", "Next", "Print", "Close"})
            EXPECT_EQ(child<QWidget>(window, name)->size(), QSize(73, 25));
        EXPECT_EQ(child<QWidget>(window, "Close")->x(), 248);

        const struct {
            const char* press;
            int page;
            bool previous;
            bool next;
        } steps[] = {
            {nullptr, 1, false, true}, {"Next", 2, true, true},     {"Next", 3, true, false},
            {"Next", 3, true, false},  {"Previous", 2, true, true}, {"Previous", 1, false, true},
        };
        for (const auto& step : steps) {
            if (step.press != nullptr)
                press(window, step.press);
            window->Panel()->repaint();
            EXPECT_EQ(grid.PrintState.PageCount, 3);
            EXPECT_EQ(window->Page(), step.page);
            EXPECT_EQ(child<QWidget>(window, "Previous")->isEnabled(), step.previous);
            EXPECT_EQ(child<QWidget>(window, "Next")->isEnabled(), step.next);
        }
        window->resize(600, 300);
        EXPECT_EQ(geometryOf(window->Panel()), (std::vector<int>{30, 54, 540, 233}));
        window->move(30, 40);
        press(window, "Close");
    });
    EXPECT_FALSE(preview.Execute());
    EXPECT_EQ((std::vector<int>{preview.PreviewWidth(), preview.PreviewHeight(),
                                preview.PreviewLeft, preview.PreviewTop}),
              (std::vector<int>{600, 300, 30, 40}));

    preview.SetPreviewWidth(200);
    preview.SetPreviewHeight(50);
    EXPECT_EQ((std::pair{preview.PreviewWidth(), preview.PreviewHeight()}), (std::pair{350, 100}));
}

TEST_F(PrintDialogsTest, PreviewPrintsEveryPageWithoutAskingForAPrinter)
{
    FillNumberedList(grid, 20);
    grid.PrintSettings.RowSpacing = 300; // three A4 pages on the test printer
    ScriptedTarget target;
    TGridPreviewDialog preview;
    preview.Grid = &grid;
    preview.Target = &target;
    preview.PreviewFast = true;
    WhenModalIsUp([](QWidget* window) {
        press(window, "Next");
        press(window, "Print");
        press(window, "Close");
    });
    static_cast<void>(preview.Execute());
    EXPECT_EQ(target.DialogRuns, 0);
    EXPECT_EQ(target.printer.Pages().size(), 3u);
    EXPECT_FALSE(grid.PrintState.PreviewFast);
}

// The preview lays its pages out on the target's paper (the test printer's A4), not on the
// panel's smaller size: rows of 35 mm give three pages. The keys turn them and the caption
// counts them.
TEST_F(PrintDialogsTest, PreviewShowsThePaperPagesAndTurnsThemByKey)
{
    FillNumberedList(grid, 15);
    grid.PrintSettings.RowSpacing = 300;
    ScriptedTarget target;
    TGridPreviewDialog preview;
    preview.Grid = &grid;
    preview.Target = &target;
    WhenModalIsUp([this](QWidget* modal) {
        auto* window = qobject_cast<PreviewWindow*>(modal);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        window->Panel()->repaint();
        EXPECT_EQ(text(window->windowTitle()), "Preview - Page 1 of 3");
        const struct {
            Qt::Key key;
            int page;
        } steps[] = {
            {Qt::Key_PageDown, 2}, {Qt::Key_Right, 3}, {Qt::Key_PageDown, 3}, {Qt::Key_PageUp, 2},
            {Qt::Key_Left, 1},     {Qt::Key_Left, 1},  {Qt::Key_End, 3},      {Qt::Key_Home, 1},
        };
        child<QWidget>(window, "Next")->setFocus(); // arrows on a button would move the focus
        for (const auto& step : steps) {
            QTest::keyClick(QApplication::focusWidget(), step.key);
            window->Panel()->repaint();
            EXPECT_EQ(window->Page(), step.page) << step.key;
            EXPECT_EQ(text(window->windowTitle()),
                      "Preview - Page " + std::to_string(step.page) + " of 3");
        }
        press(window, "Close");
    });
    static_cast<void>(preview.Execute());
    EXPECT_EQ(grid.PrintState.PageCount, 3);
}

// Printing from the preview goes to paper at once, but through the printer dialog when the
// printer writes a file, so no file printed earlier is replaced unasked.
TEST_F(PrintDialogsTest, PreviewPrintsToAFileOnlyThroughThePrinterDialog)
{
    FillNumberedList(grid, 20); // three pages on the test printer, four in the preview
    grid.PrintSettings.RowSpacing = 300;
    const struct {
        const char* name;
        bool answer;
        TPageRange pages;
        std::size_t printed;
    } cases[] = {
        {"cancelled", false, {}, 0},
        {"all pages", true, {}, 3},
        {"page 2", true, {2, 2}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTarget target;
        target.ToFile = true;
        target.Answer = c.answer;
        target.Pages = c.pages;
        TGridPreviewDialog preview;
        preview.Grid = &grid;
        preview.Target = &target;
        WhenModalIsUp([](QWidget* modal) {
            auto* window = qobject_cast<PreviewWindow*>(modal);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
            window->Panel()->repaint(); // the pages are counted
            press(window, "Print");
            press(window, "Close");
        });
        static_cast<void>(preview.Execute());
        EXPECT_EQ(target.DialogRuns, 1);
        EXPECT_EQ(target.OfferedPages, 4);
        EXPECT_EQ(target.printer.Pages().size(), c.printed);
    }
}

TEST_F(PrintDialogsTest, PrintCommandsAskForThePrinterAndPrintTheSelectionTakenBefore)
{
    FillNumberedList(grid, 12);
    const struct {
        const char* name;
        void (GridPrintCommands::*command)();
        bool answer;
        std::vector<std::string> firstRows;
    } cases[] = {
        {"print all, cancelled", &GridPrintCommands::PrintAll, false, {}},
        {"print all",
         &GridPrintCommands::PrintAll,
         true,
         {"No.|URL   |Latest visit", "1|http://example.com/1|05/06/2004 10:11:12"}},
        {"print selected cells",
         &GridPrintCommands::PrintSelectedCells,
         true,
         {"URL   ", "http://example.com/5", "http://example.com/6"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedTarget target;
        target.Answer = c.answer;
        grid.SetSelection({1, 5, 1, 6});
        grid.PrintState.PreviewFast = true;
        // The selection moves while the printer dialog is up; the one taken before prints.
        target.DuringDialog = [this] { grid.SetSelection({2, 9, 2, 9}); };
        GridPrintCommands commands(grid, target, nullptr);
        (commands.*c.command)();
        EXPECT_EQ(target.DialogRuns, 1);
        EXPECT_FALSE(grid.PrintState.PreviewFast);
        const auto pages = target.printer.Pages();
        EXPECT_EQ(pages.empty(), c.firstRows.empty());
        if (!pages.empty()) {
            const std::vector<std::string> rows = RowsOf(pages[0]);
            EXPECT_EQ(std::vector<std::string>(rows.begin(),
                                               rows.begin() +
                                                   static_cast<std::ptrdiff_t>(c.firstRows.size())),
                      c.firstRows);
        }
    }
}

} // namespace varnok
