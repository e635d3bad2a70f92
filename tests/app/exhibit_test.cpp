#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/exhibit.h"
#include "grid/resultgrid.h"
#include "grid/table/griderror.h"
#include "printfixtures.h"

namespace varnok {

namespace {

ExhibitFacts caseFacts(bool landscape)
{
    ExhibitFacts facts;
    facts.IndexFile = "/case/ie5/Content.IE5/index.dat";
    facts.Sha256 = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    facts.Size = 49152;
    facts.ZoneName = "Europe/Berlin";
    facts.UtcOffset = 3600;
    facts.Landscape = landscape;
    return facts;
}

// The texts of the header and footer runs of a page, top to bottom.
std::vector<std::string> runTexts(const std::vector<TestCanvasCall>& page)
{
    std::vector<std::string> texts;
    for (const TestCanvasCall& run : CallsOf(page, TestCanvasCall::ckRun))
        texts.push_back(run.Text);
    return texts;
}

// The widths across of the header row's cells, spacing included.
std::vector<int> headerCellWidths(const std::vector<TestCanvasCall>& page)
{
    const std::vector<TestCanvasCall> fills = CallsOf(page, TestCanvasCall::ckFill);
    std::vector<int> widths;
    for (const TestCanvasCall& fill : fills) {
        if (fill.Rect.Top == fills.front().Rect.Top)
            widths.push_back(fill.Rect.Right - fill.Rect.Left);
    }
    return widths;
}

class ExhibitPagesTest : public ::testing::Test {
protected:
    ExhibitPagesTest() { grid.SetPrintClock(std::make_unique<FixedClock>()); }

    TResultGrid grid;
};

} // namespace

// Every page names the file, its hash and size and the zone of its times at the top left,
// the moment of printing at the top right and its number of the whole at the bottom right.
TEST_F(ExhibitPagesTest, EveryPageCarriesTheTitleLinesTheTimeOfPrintingAndItsNumber)
{
    FillNumberedList(grid, 30);
    grid.PrintSettings = ExhibitPrintSettings(caseFacts(false));
    RecordingPrinter printer;
    grid.Print(printer);
    const auto pages = printer.Pages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(printer.Title, "Varnok 5 \x96 /case/ie5/Content.IE5/index.dat");
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(runTexts(pages[i]),
                  (std::vector<std::string>{
                      "Varnok 5 \x96 /case/ie5/Content.IE5/index.dat ",
                      "SHA-256 ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad "
                      "\x96 49152 bytes",
                      "Times shown in Europe/Berlin (UTC+01:00)",
                      " 2004-03-05 09:07:02",
                      "  " + std::to_string(i + 1) + "/2 ",
                  }));
    }

    // A list that fits on one page still says how many pages there are.
    TResultGrid single;
    single.SetPrintClock(std::make_unique<FixedClock>());
    FillNumberedList(single, 3);
    single.PrintSettings = grid.PrintSettings;
    RecordingPrinter one;
    single.Print(one);
    ASSERT_EQ(one.Pages().size(), 1u);
    EXPECT_EQ(runTexts(one.Pages()[0]).back(), "  1/1 ");
}

// The number and visit columns keep their widths, the visit column at least what a visit time
// needs on one line, and the address column takes the rest of the paper; a number column too
// wide for that leaves the address column its own width on a page of its own, or fails the
// print when it does not fit on the paper at all. Widths in 0.1 mm, spacing (22) included.
TEST_F(ExhibitPagesTest, AddressColumnTakesTheRestOfThePage)
{
    FillNumberedList(grid, 3);
    const struct {
        bool landscape;
        int numberWidth; // screen pixels
        int visitWidth;
        std::vector<std::vector<int>> pages; // cell widths across each page
    } cases[] = {
        // A visit time of 19 characters needs 342 + 5 in the test canvas's print font.
        {false, 40, 120, {{117, 1614, 369}}},
        {true, 40, 120, {{117, 2484, 369}}},
        {false, 40, 200, {{117, 1442, 541}}},
        {true, 900, 120, {{2393}, {805, 369}}},
        {false, 900, 120, {}}, // 2371 + 22 across a page of 2100
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.numberWidth) + (c.landscape ? " landscape" : " portrait"));
        grid.SetColWidth(0, c.numberWidth);
        grid.SetColWidth(1, 300);
        grid.SetColWidth(2, c.visitWidth);
        grid.PrintSettings = ExhibitPrintSettings(caseFacts(c.landscape));
        RecordingPrinter printer;
        if (c.pages.empty()) {
            EXPECT_THROW(grid.Print(printer), EPrintLayoutError);
            continue;
        }
        grid.Print(printer);
        std::vector<std::vector<int>> widths;
        for (const auto& page : printer.Pages())
            widths.push_back(headerCellWidths(page));
        EXPECT_EQ(widths, c.pages);
    }
}

// The offset names hours and minutes east of UTC; a path is shown in the list's encoding where
// it can be; the first listed time is read back from the
// first row that shows one from 1970 on (1601 is the empty file time), in the list's date order,
// as the moment it shows.
TEST(ExhibitFactsTest, OffsetTextPathTextAndFirstListedTime)
{
    EXPECT_EQ(UtcOffsetText(3600), "UTC+01:00");
    EXPECT_EQ(UtcOffsetText(-12600), "UTC-03:30");
    EXPECT_EQ(UtcOffsetText(19800), "UTC+05:30");
    EXPECT_EQ(UtcOffsetText(0), "UTC+00:00");

    // Paths are UTF-8, the printed texts Windows-1252.
    const struct {
        std::string path;
        std::string shown;
    } paths[] = {
        {"/cases/M\xC3\xBCller/index.dat", "/cases/M\xFCller/index.dat"},
        {"/cases/\xC2\xA0\xC3\x9F", "/cases/\xA0\xDF"},
        {"/cases/\xE2\x82\xAC", "/cases/\xE2\x82\xAC"}, // the euro sign: kept as bytes
        {"/cases/\xFC", "/cases/\xFC"},                 // no UTF-8: kept
        {"/cases/\xC3", "/cases/\xC3"},
    };
    for (const auto& p : paths) {
        ExhibitFacts facts;
        facts.IndexFile = p.path;
        EXPECT_EQ(ExhibitTitleLines(facts).front(), "Varnok 5 \x96 " + p.shown);
    }

    constexpr std::time_t kShown = 1'079'290'956; // 2004-03-14 19:02:36 UTC
    const struct {
        std::vector<std::string> times;
        int dateFormat;
        long shownOffset;
        std::optional<std::time_t> first;
    } cases[] = {
        {{"", "01/01/1601 01:00:00", "03/14/2004 19:02:36", "01/01/2005 00:00:00"}, 1, 0, kShown},
        {{"14/03/2004 19:02:36"}, 2, 3600, kShown - 3600},
        {{"", "not a time"}, 1, 0, std::nullopt},
        {{}, 1, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        TResultGrid grid;
        FillNumberedList(grid, static_cast<int>(c.times.size()));
        for (std::size_t i = 0; i < c.times.size(); ++i)
            grid.SetCellEx(2, static_cast<int>(i) + 1, c.times[i]);
        EXPECT_EQ(FirstListedTime(grid, c.dateFormat, c.shownOffset), c.first);
    }
}

} // namespace varnok
