#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "grid/markup/safeanchor.h"
#include "grid/resultgrid.h"
#include "grid/table/griderror.h"
#include "gridfixtures.h"
#include "printfixtures.h"

namespace varnok {

// On the test canvas and the test printer (A4 at 600 dpi: 2100 x 2970 in 0.1 mm), with the
// settings a grid starts with: the 10 pt table font is 35 high (18 wide, lines of 37, a pad
// of 4); columns of 65, 150, 150 pixels print 161, 386, 386 wide plus 22 of spacing,
// centred from x = 550, 733 and 1141; the table starts at 50 + 60 = 110; a one-line row is
// 37 + 4 + 8 + 60 = 109 high; the footer band is 61, so a page's rows end by 2909.

namespace {

using Call = TestCanvasCall;

class PrintLayoutTest : public ::testing::Test {
protected:
    PrintLayoutTest() { grid.SetPrintClock(std::make_unique<FixedClock>()); }

    // The first cell of every row on every page.
    std::vector<std::vector<std::string>> FirstCells() const
    {
        std::vector<std::vector<std::string>> pages;
        for (const auto& page : printer.Pages()) {
            std::vector<std::string> firsts;
            for (const std::string& row : RowsOf(page))
                firsts.push_back(row.substr(0, row.find('|')));
            pages.push_back(firsts);
        }
        return pages;
    }

    TResultGrid grid;
    RecordingPrinter printer;
};

std::vector<std::string> numbered(const char* first, int from, int to)
{
    std::vector<std::string> rows;
    if (first != nullptr)
        rows.emplace_back(first);
    for (int row = from; row <= to; ++row)
        rows.push_back(std::to_string(row));
    return rows;
}

} // namespace

TEST_F(PrintLayoutTest, RowsGoOnPagesWithTheHeaderRowRepeated)
{
    using Pages = std::vector<std::vector<std::string>>;
    const struct {
        const char* name;
        int entries;
        std::function<void(TResultGrid&)> setup;
        Pages expected;
    } cases[] = {
        {"one page, header once", 3, {}, {numbered("No.", 1, 3)}},
        {"header only", 1, [](TResultGrid& g) { g.SetRowCountEx(1); }, {{"No."}}},
        {"three pages, header on each",
         60,
         {},
         {numbered("No.", 1, 24), numbered("No.", 25, 48), numbered("No.", 49, 60)}},
        {"header not repeated",
         60,
         [](TResultGrid& g) { g.PrintSettings.RepeatFixedRows = false; },
         {numbered("No.", 1, 24), numbered(nullptr, 25, 49), numbered(nullptr, 50, 60)}},
        {"landscape holds 17 rows",
         60,
         [](TResultGrid& g) { g.PrintSettings.Orientation = poLandscape; },
         {numbered("No.", 1, 16), numbered("No.", 17, 32), numbered("No.", 33, 48),
          numbered("No.", 49, 60)}},
        {"more row spacing, fewer rows",
         30,
         [](TResultGrid& g) { g.PrintSettings.RowSpacing = 160; }, // rows of 209
         {numbered("No.", 1, 12), numbered("No.", 13, 24), numbered("No.", 25, 30)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FillNumberedList(grid, c.entries);
        grid.PrintSettings = TPrintSettings{};
        if (c.setup)
            c.setup(grid);
        printer = RecordingPrinter{};
        grid.Print(printer);
        EXPECT_EQ(FirstCells(), c.expected);
        EXPECT_EQ(grid.PrintState.PageCount, static_cast<int>(c.expected.size()));
        EXPECT_EQ(printer.Begun, 1);
        EXPECT_EQ(printer.Ended, 1);
    }
}

TEST_F(PrintLayoutTest, SelectedBlockPrintsBelowItsHeaderCellsWithoutColumnZero)
{
    FillNumberedList(grid, 12);
    grid.PrintRect({2, 9, 1, 5}, printer); // corners in any order
    const auto pages = printer.Pages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(RowsOf(pages[0]), (std::vector<std::string>{
                                    "URL   |Latest visit",
                                    "http://example.com/5|05/06/2004 10:11:12",
                                    "http://example.com/6|05/06/2004 10:11:12",
                                    "http://example.com/7|05/06/2004 10:11:12",
                                    "http://example.com/8|05/06/2004 10:11:12",
                                    "http://example.com/9|05/06/2004 10:11:12",
                                }));
    // Two columns of 408 centred on 2100: from 642 and 1050; text 5 (2 pixels) inside.
    const auto texts = CallsOf(pages[0], Call::ckText);
    EXPECT_EQ(texts[0].Rect.Left, 647);
    EXPECT_EQ(texts[1].Rect.Left, 1055);
    EXPECT_EQ(texts[1].Rect.Right, 1458);
}

TEST_F(PrintLayoutTest, CellsFillTheirRectangleAndWrapTheirTextFromTheTop)
{
    FillNumberedList(grid, 2);
    const std::string address = "http://example.com/" + std::string(41, 'a'); // 60 characters
    grid.SetCellEx(1, 1, address);
    grid.Print(printer);
    const auto& calls = printer.canvas.Calls();
    const auto fills = CallsOf(calls, Call::ckFill);
    const auto texts = CallsOf(calls, Call::ckText);
    ASSERT_EQ(fills.size(), 9u);
    ASSERT_EQ(texts.size(), 9u);
    // Row 1 holds three lines of 21 characters at 386 (the column's print width): 111 high,
    // plus 13, 8 and 60. Drawn 403 wide, the address breaks after 22 characters.
    const Call& cell = fills[4];
    EXPECT_EQ(cell.Color, clWindow);
    EXPECT_EQ((std::vector<int>{cell.Rect.Left, cell.Rect.Top, cell.Rect.Right, cell.Rect.Bottom}),
              (std::vector<int>{733, 219, 1141, 219 + 192}));
    EXPECT_EQ(texts[4].Text, address.substr(0, 22) + "\r\n" + address.substr(22, 22) + "\r\n" +
                                 address.substr(44));
    EXPECT_EQ(texts[4].Rect.Left, 738);
    EXPECT_EQ(texts[4].Rect.Top, 219);
    EXPECT_EQ(texts[4].Font.Height, 35);
    EXPECT_EQ(texts[4].Font.Name, "MS Sans Serif");
    EXPECT_EQ(fills[6].Rect.Top, 411); // row 2 starts below the grown row
}

TEST_F(PrintLayoutTest, AutoSizedColumnsTakeTheWidestTextAndPrintItLineByLine)
{
    FillNumberedList(grid, 2);
    grid.SetCellEx(2, 2, "first line\r\nsecond line of the two");
    grid.PrintSettings.NoAutoSize = false;
    grid.PrintSettings.Centered = false;
    grid.Print(printer);
    const auto runs = CallsOf(printer.canvas.Calls(), Call::ckRun);
    // Widths 54 ("No."), 360 (an address), 396 (the longest line); lines start one "a" in.
    std::vector<std::pair<int, int>> starts;
    for (const Call& run : runs)
        starts.emplace_back(run.Rect.Left, run.Rect.Top);
    const int secondRow = 110 + 109;
    const int lastRow = secondRow + 109;
    const int nextLine = (37 + 60) * 9 / 8;
    EXPECT_EQ(runs.size(), 10u);
    EXPECT_EQ(runs[8].Text, "first line");
    EXPECT_EQ(runs[9].Text, "second line of the two");
    EXPECT_EQ(starts[8], std::make_pair(76 + 382 + 18, lastRow));
    EXPECT_EQ(starts[9], std::make_pair(76 + 382 + 18, lastRow + nextLine));
    EXPECT_EQ(starts[0], std::make_pair(18, 110));
    EXPECT_EQ(runs[8].Clip.Bottom, lastRow + 2 * 37 + 9 + 8 + 60);
}

TEST_F(PrintLayoutTest, FooterShowsPageNumberAndCountAtTheRight)
{
    FillNumberedList(grid, 60);
    grid.PrintSettings.PageNr = ppBottomRight;
    grid.PrintSettings.Time = ppTopLeft;
    grid.Print(printer);
    const auto pages = printer.Pages();
    ASSERT_EQ(pages.size(), 3u);
    for (std::size_t page = 0; page < pages.size(); ++page) {
        const auto runs = CallsOf(pages[page], Call::ckRun);
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_EQ(runs[0].Text, "09:07 ");
        EXPECT_EQ((std::pair{runs[0].Rect.Left, runs[0].Rect.Top}), (std::pair{0, 50}));
        // "  2/3 " is 108 wide and ends 20 inside the page; its top 20 + 4 + 37 above the bottom.
        EXPECT_EQ(runs[1].Text, "  " + std::to_string(page + 1) + "/3 ");
        EXPECT_EQ((std::pair{runs[1].Rect.Left, runs[1].Rect.Top}), (std::pair{1972, 2909}));
    }
    // The time on top moves the table down to 151: 24 rows a page, the header included.
    EXPECT_EQ(RowsOf(pages[1]).size(), 24u);
    EXPECT_EQ(RowsOf(pages[1])[1], "24|http://example.com/24|05/06/2004 10:11:12");
}

TEST_F(PrintLayoutTest, BorderSchemesDrawTheirCellLinesAndPageFrames)
{
    const struct {
        TPrintBorders borders;
        std::size_t lines;
        std::size_t frames;
        int penWidth;
    } cases[] = {
        {pbNoborder, 0, 0, 2},        {pbSingle, 24, 0, 2},           {pbDouble, 25, 0, 10},
        {pbVertical, 12, 0, 2},       {pbHorizontal, 13, 0, 2},       {pbAround, 0, 1, 2},
        {pbAroundVertical, 12, 1, 2}, {pbAroundHorizontal, 13, 1, 2},
    };
    FillNumberedList(grid, 1); // six cells
    for (const auto& c : cases) {
        SCOPED_TRACE(c.borders);
        grid.PrintSettings.Borders = c.borders;
        grid.PrintSettings.BorderStyle = psDashDot;
        printer = RecordingPrinter{};
        grid.Print(printer);
        const auto lines = CallsOf(printer.canvas.Calls(), Call::ckLine);
        const auto frames = CallsOf(printer.canvas.Calls(), Call::ckFrame);
        ASSERT_EQ(lines.size(), c.lines);
        ASSERT_EQ(frames.size(), c.frames);
        for (const Call& line : lines)
            EXPECT_EQ(line.Pen, (TPen{0, psDashDot, c.penWidth}));
        // Frames close half a pad above the last row's lower edge.
        if (!frames.empty()) {
            EXPECT_EQ((std::vector<int>{frames[0].Rect.Left, frames[0].Rect.Top,
                                        frames[0].Rect.Right, frames[0].Rect.Bottom}),
                      (std::vector<int>{550, 110, 1549, 110 + 218 - 2}));
        }
    }
}

TEST_F(PrintLayoutTest, PagesAcrossRepeatColumnZeroAndMarkItsEdge)
{
    FillNumberedList(grid, 3);
    grid.SetColWidth(1, 600); // 1577 wide: column 0 fits beside each, they not beside each other
    grid.SetColWidth(2, 600);
    grid.PrintSettings.Borders = pbVertical;
    grid.Print(printer);
    const auto pages = printer.Pages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(RowsOf(pages[0])[1], "1|http://example.com/1");
    EXPECT_EQ(RowsOf(pages[1])[1], "1|05/06/2004 10:11:12");
    // Column 0 from 159, the page's column from 342; the fixed column's edge line on top.
    const auto lines = CallsOf(pages[1], Call::ckLine);
    ASSERT_EQ(lines.size(), 4 * 4 + 1u);
    const Call& edge = lines.back();
    EXPECT_EQ((std::vector<int>{edge.Rect.Left, edge.Rect.Top, edge.Rect.Right, edge.Rect.Bottom}),
              (std::vector<int>{159, 110, 159, 110 + 4 * 109 - 2}));
}

// Every column comes out whole on paper: a number column too wide to stand beside a data
// column is not repeated, and a column wider than the page fails the print.
TEST_F(PrintLayoutTest, EveryColumnIsPrintedWholeOrThePrintFails)
{
    using Pages = std::vector<std::vector<std::string>>;
    const std::string visit = "05/06/2004 10:11:12";
    const struct {
        std::vector<int> screenWidths;
        Pages firstRows; // empty: the print fails
    } cases[] = {
        {{65, 150, 150}, {{"1|http://example.com/1|" + visit}}},
        {{750, 150, 150}, {{"1"}, {"http://example.com/1|" + visit}}},
        {{780, 150, 150}, {{"1"}, {"http://example.com/1|" + visit}}},
        {{750, 760, 760}, {{"1"}, {"http://example.com/1"}, {visit}}},
        {{65, 760, 150}, {{"1"}, {"http://example.com/1"}, {"1|" + visit}}},
        {{65, 150, 800}, {}},
        {{800, 150, 150}, {}},
    };
    for (const auto& c : cases) {
        TResultGrid list;
        FillNumberedList(list, 3);
        for (int col = 0; col < 3; ++col)
            list.SetColWidth(col, c.screenWidths[static_cast<std::size_t>(col)]);
        RecordingPrinter paper;
        if (c.firstRows.empty()) {
            try {
                list.Print(paper);
                ADD_FAILURE() << "printed " << c.screenWidths[0] << " " << c.screenWidths[2];
            } catch (const EPrintLayoutError& error) {
                const int col = c.screenWidths[0] == 800 ? 0 : 2;
                EXPECT_EQ(std::string(error.what()),
                          "Cannot print the list whole: column " + std::to_string(col) +
                              " needs 212.8 mm across, and the page has room for 210.0 mm. "
                              "Make the column narrower.");
            }
            TestCanvas screen; // the preview shows what it can
            EXPECT_NO_THROW(list.PrintPreview(screen, {0, 0, 750, 500}));
            continue;
        }
        list.Print(paper);
        Pages firstRows;
        for (const auto& page : paper.Pages())
            firstRows.push_back({RowsOf(page).at(1)});
        EXPECT_EQ(firstRows, c.firstRows) << c.screenWidths[0] << " " << c.screenWidths[1];
    }
}

TEST_F(PrintLayoutTest, PreviewCountsPagesOfTheAreaAndDrawsOnlyTheChosenPage)
{
    FillNumberedList(grid, 60);
    TestCanvas screen;
    // A page of 1984 x 1323: ten rows on the first page, nine after.
    grid.SetPreviewPage(3);
    grid.PrintPreview(screen, {0, 0, 1984, 1323});
    EXPECT_EQ(grid.PrintState.PageCount, 7);
    std::vector<std::string> firsts;
    for (const std::string& row : RowsOf(screen.Calls()))
        firsts.push_back(row.substr(0, row.find('|')));
    EXPECT_EQ(firsts, numbered("No.", 19, 27));

    // In fast mode the count is not taken again: a grown list keeps the old count.
    FillNumberedList(grid, 120);
    grid.PrintState.PreviewFast = true;
    grid.SetPreviewPage(1);
    screen.ClearCalls();
    grid.PrintPreview(screen, {0, 0, 1984, 1323});
    EXPECT_EQ(grid.PrintState.PageCount, 7);
    EXPECT_EQ(RowsOf(screen.Calls()).size(), 10u);

    // Printing in fast mode prints the first page only.
    grid.Print(printer);
    EXPECT_EQ(printer.Pages().size(), 1u);
}

TEST_F(PrintLayoutTest, PrinterGetsTheJobTitleAndARefusedDocumentIsReported)
{
    FillNumberedList(grid, 3);
    grid.PrintSettings.JobName = "Case 17";
    grid.Print(printer);
    EXPECT_EQ(printer.Title, "Case 17");
    RecordingPrinter refusing;
    refusing.RefuseBegin = true;
    EXPECT_THROW(grid.Print(refusing), EGridError);
    EXPECT_TRUE(refusing.canvas.Calls().empty());
}

TEST_F(PrintLayoutTest, AnchorCellsPrintAsLinksOnlyWhileMarkupIsShown)
{
    FillNumberedList(grid, 2);
    grid.SetCellEx(1, 1, Anchor("page.htm"));
    grid.Print(printer);
    auto runs = CallsOf(printer.canvas.Calls(), Call::ckRun);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].Shown, "page.htm");
    EXPECT_EQ(runs[0].Font.Color, grid.URLColor());
    EXPECT_TRUE(runs[0].Font.Underline);
    EXPECT_EQ(runs[0].Font.Height, 35);
    EXPECT_EQ((std::vector<int>{runs[0].Clip.Left, runs[0].Clip.Top, runs[0].Clip.Right,
                                runs[0].Clip.Bottom}),
              (std::vector<int>{733, 219, 1141, 328}));

    grid.SetEnableHTML(false);
    printer = RecordingPrinter{};
    grid.Print(printer);
    EXPECT_TRUE(CallsOf(printer.canvas.Calls(), Call::ckRun).empty());
    // The bytes as they are; the word after "<A " breaks after 22 characters like any other.
    const std::string raw = Anchor("page.htm");
    EXPECT_EQ(RowsOf(printer.canvas.Calls())[1],
              "1|" + raw.substr(0, 25) + "\r\n" + raw.substr(25) + "|05/06/2004 10:11:12");
}

// An address with a line break prints as one link over two lines, in a row two lines high.
TEST_F(PrintLayoutTest, AnAnchorWithALineBreakPrintsWhollyAsLinkText)
{
    FillNumberedList(grid, 2);
    grid.SetCellEx(1, 1, AddressAnchor("http://x.example/a\r\nb"));
    grid.Print(printer);
    std::vector<std::string> shown;
    for (const Call& run : CallsOf(printer.canvas.Calls(), Call::ckRun)) {
        shown.push_back(run.Shown + "@" + std::to_string(run.Rect.Top));
        EXPECT_EQ(run.Font.Color, grid.URLColor());
        EXPECT_TRUE(run.Font.Underline);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"http://x.example/a@219", "b@256"}));
    // Two lines of 37 make the row 74 + 9 + 8 + 60 high: row 2 starts at 219 + 151.
    const auto texts = CallsOf(printer.canvas.Calls(), Call::ckText);
    const auto second =
        std::find_if(texts.begin(), texts.end(), [](const Call& call) { return call.Text == "2"; });
    ASSERT_NE(second, texts.end());
    EXPECT_EQ(second->Rect.Top, 219 + 151);
}

TEST_F(PrintLayoutTest, TitleLinesStandUnderTheirSlotAndFooterTitlesGrowUpwards)
{
    using Run = std::tuple<std::string, int, int>; // text, x, y
    const struct {
        const char* name;
        TPrintPosition position;
        std::vector<std::string> lines;
        std::vector<Run> expected;
    } cases[] = {
        // " Case 17" is 144 wide and ends 20 inside the page.
        {"top right",
         ppTopRight,
         {"Case 17", "Disk 2"},
         {{" Case 17", 1936, 50}, {"Disk 2", 1936, 87}}},
        // The last line stands where a one-line footer would: 20 + 4 + 37 above the bottom.
        {"bottom left",
         ppBottomLeft,
         {"Case 17", "Disk 2", "Image 3"},
         {{"Case 17 ", 0, 2835}, {"Disk 2", 0, 2872}, {"Image 3", 0, 2909}}},
    };
    FillNumberedList(grid, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        grid.PrintSettings.Title = c.position;
        grid.PrintSettings.TitleLines = c.lines;
        printer = RecordingPrinter{};
        grid.Print(printer);
        std::vector<Run> runs;
        for (const Call& run : CallsOf(printer.canvas.Calls(), Call::ckRun))
            runs.emplace_back(run.Text, run.Rect.Left, run.Rect.Top);
        EXPECT_EQ(runs, c.expected);
    }

    // A title with markup is laid out as a whole in the header band: 50 + 4 + 37 high.
    grid.PrintSettings.Title = ppTopCenter;
    grid.PrintSettings.TitleLines = {"<B>Case</B> 17"};
    printer = RecordingPrinter{};
    grid.Print(printer);
    const auto runs = CallsOf(printer.canvas.Calls(), Call::ckRun);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].Shown + runs[1].Shown + runs[2].Shown, "Case 17");
    EXPECT_TRUE(runs[0].Font.Bold);
    EXPECT_FALSE(runs[2].Font.Bold);
    EXPECT_EQ((std::vector<int>{runs[0].Clip.Left, runs[0].Clip.Top, runs[0].Clip.Right,
                                runs[0].Clip.Bottom}),
              (std::vector<int>{0, 50, 2100, 91}));
}

TEST_F(PrintLayoutTest, RowTallerThanAPageGoesOnAPageOfItsOwnCutAtTheFooter)
{
    FillNumberedList(grid, 2);
    std::string lines = "x";
    for (int line = 1; line < 100; ++line)
        lines += "\r\nx";
    grid.SetCellEx(2, 1, lines);
    grid.PrintSettings.Borders = pbHorizontal;
    grid.Print(printer);
    const auto pages = printer.Pages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(RowsOf(pages[1]).size(), 2u);
    EXPECT_EQ(RowsOf(pages[2]),
              (std::vector<std::string>{"No.|URL   |Latest visit",
                                        "2|http://example.com/2|05/06/2004 10:11:12"}));
    // Below the repeated header, the row runs to the footer band and has no lower line.
    const auto fills = CallsOf(pages[1], Call::ckFill);
    ASSERT_EQ(fills.size(), 6u);
    EXPECT_EQ((std::pair{fills[3].Rect.Top, fills[3].Rect.Bottom}), (std::pair{219, 2909}));
    for (const Call& line : CallsOf(pages[1], Call::ckLine))
        EXPECT_NE(line.Rect.Top, 2909);
}

} // namespace varnok
