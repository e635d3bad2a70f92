#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/pagelayout/pageslots.h"
#include "grid/pagelayout/printcolumns.h"
#include "grid/pagelayout/printdateformat.h"
#include "grid/pagelayout/printmetrics.h"
#include "grid/pagelayout/printwrap.h"
#include "printfixtures.h"

namespace varnok {

namespace {

const TPrintTime kFriday = FixedClock().Now(); // Friday 05/03/2004 09:07:02

// The columns of a page as "col@x", fixed ones first.
std::vector<std::string> placed(const ColumnPage& page)
{
    std::vector<std::string> result;
    for (const auto* columns : {&page.Fixed, &page.Columns}) {
        for (const PrintColumn& column : *columns)
            result.push_back(std::to_string(column.Col) + "@" + std::to_string(column.X));
    }
    if (page.Overflows)
        result.emplace_back("overflows");
    return result;
}

} // namespace

TEST(PrintDateFormatTest, PatternsWriteTheirFieldsAndKeepEverythingElse)
{
    const struct {
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"dd/mm/yyyy", "05/03/2004"},
        {"d.m.yy", "5.3.04"},
        {"dddd d mmmm yyyy", "Friday 5 March 2004"},
        {"ddd, MMM D", "Fri, Mar 5"},
        {"hh:mm", "09:07"}, // m right after an hour means minutes
        {"hh:nn:ss.zzz", "09:07:02.000"},
        {"h:n:s", "9:7:2"},
        {"yyyy-mm-dd 'at' hh:nn", "2004-03-05 at 09:07"},
        {"\"dd\" dd", "dd 05"},
        {"'unclosed", "unclosed"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatPrintTime(c.pattern, kFriday), c.expected) << c.pattern;
}

// Slot texts and bands of one set of header and footer items.
struct SlotCase {
    TPrintPosition Time, Date, PageNr, Title;
    const char* Separator;
    const char* TitleText;
    int Page;
    std::size_t Slot; // the one slot (TL, TR, TC, BL, BR, BC) that is not empty
    const char* Text;
};

TEST(PageSlotsTest, ItemsGoInFrontOfLeftSlotsAndBehindTheOthers)
{
    const SlotCase cases[] = {
        {ppTopLeft, ppTopLeft, ppNone, ppNone, "/", "", 1, 0, "05/03/2004 09:07 "},
        {ppTopRight, ppTopRight, ppNone, ppNone, "/", "", 1, 1, " 09:07 05/03/2004"},
        {ppNone, ppNone, ppBottomRight, ppNone, "/", "", 2, 4, " Page 2/3 -"},
        {ppNone, ppNone, ppBottomLeft, ppNone, "", "", 2, 3, "Page 2 - "}, // no separator
        {ppNone, ppTopCenter, ppNone, ppTopCenter, "/", "Cache", 1, 2, " 2004 Cache"},
        {ppNone, ppNone, ppNone, ppBottomCenter, "/", "", 1, 5, " Case 17"},
    };
    for (const SlotCase& c : cases) {
        TPrintSettings settings;
        settings.Time = c.Time;
        settings.Date = c.Date;
        settings.DateFormat = c.Title == ppNone ? "dd/mm/yyyy" : "yyyy";
        settings.PageNr = c.PageNr;
        settings.PagePrefix = "Page";
        settings.PageSuffix = "-";
        settings.PageNumSep = c.Separator;
        settings.Title = c.Title;
        settings.TitleText = c.TitleText;
        settings.TitleLines = {"Case 17", "Disk 2"};
        std::array<std::string, 6> expected;
        expected[c.Slot] = c.Text;
        EXPECT_EQ(FillPageSlots(settings, kFriday, c.Page, 3, true).Texts, expected) << c.Text;
    }
    // A single page shows no count.
    TPrintSettings settings;
    settings.PageNr = ppBottomRight;
    EXPECT_EQ(FillPageSlots(settings, kFriday, 1, 1, true).Texts[4], "  1 ");
}

TEST(PageSlotsTest, BandsGrowWithTheirTextsAndTitleLines)
{
    // On the test canvas a 10 pt font is 35 high: lines of 37, a pad of 4.
    TestCanvas canvas;
    const struct {
        TPrintPosition Time;
        TPrintPosition Title;
        const char* TitleText;
        int HeaderFontSize;
        int Header;
        int Footer;
    } cases[] = {
        {ppNone, ppNone, "", 10, 50, 4 + 37 + 20},
        {ppTopCenter, ppNone, "", 20, 4 + 72 + 50, 61}, // 20 pt: lines of 72
        {ppBottomLeft, ppTopLeft, "", 10, 4 + 37 + 50 + 2 * 37, 2 * 4 + 2 * 37 + 20},
        {ppNone, ppBottomLeft, "", 10, 50, 2 * 4 + 2 * 37 + 20 + 2 * 37},
        {ppNone, ppBottomLeft, "a title text is one line", 10, 50, 2 * 4 + 2 * 37 + 20},
    };
    for (const auto& c : cases) {
        TPrintSettings settings;
        settings.Time = c.Time;
        settings.Title = c.Title;
        settings.TitleText = c.TitleText;
        settings.TitleLines = {"a", "b", "c"};
        settings.HeaderFont.Size = c.HeaderFontSize;
        const PrintMetrics metrics = MeasurePrintMetrics(canvas, settings, 96);
        EXPECT_EQ(HeaderBandHeight(settings, metrics), c.Header) << c.Time << c.Title;
        EXPECT_EQ(FooterBandHeight(settings, metrics), c.Footer) << c.Time << c.Title;
    }
}

TEST(PrintColumnsTest, FittingScalesWidthsOnlyAsTheModeAllows)
{
    const std::vector<int> screen = {161, 386, 386}; // 65, 150, 150 pixels at 96 dpi
    const std::vector<int> shrunk = {143, 345, 345}; // (900 - 3 x 22) / 933
    const std::vector<int> grown = {350, 841, 841};  // (2100 - 3 x 22) / 933
    const struct {
        TFitToPage fit;
        int room;
        std::vector<int> expected;
    } cases[] = {
        {fpNever, 900, screen},  {fpShrink, 900, shrunk}, {fpShrink, 2100, screen},
        {fpGrow, 2100, grown},   {fpGrow, 900, screen},   {fpAlways, 900, shrunk},
        {fpAlways, 2100, grown}, {fpCustom, 900, screen}, {fpAlways, 10, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        std::vector<int> widths = screen;
        FitColumnWidths(widths, c.fit, c.room, 22);
        EXPECT_EQ(widths, c.expected) << c.fit << " " << c.room;
    }
    std::vector<int> empty = {0, 0};
    FitColumnWidths(empty, fpAlways, 900, 22);
    EXPECT_EQ(empty, (std::vector<int>{0, 0}));
}

TEST(PrintColumnsTest, PagesAcrossRepeatTheFixedColumnWhereItLeavesRoomAndTakeAtLeastOneColumn)
{
    using Pages = std::vector<std::vector<std::string>>;
    const std::vector<int> widths = {161, 386, 386};
    const struct {
        const char* name;
        ColumnPageRules rules;
        Pages expected;
    } cases[] = {
        {"all fit, centred", {0, 1, 22, 2100, 0, 0, true}, {{"0@550", "1@733", "2@1141"}}},
        {"all fit, from the left margin",
         {0, 1, 22, 2100, 100, 0, false},
         {{"0@100", "1@283", "2@691"}}},
        {"two pages across, the fixed column again on the second",
         {0, 1, 22, 900, 0, 0, true},
         {{"0@154", "1@337"}, {"0@154", "2@337"}}},
        {"the right margin takes room",
         {0, 1, 22, 1100, 0, 200, false},
         {{"0@0", "1@183"}, {"0@0", "2@183"}}},
        {"the left margin takes room when not centred",
         {0, 1, 22, 1100, 200, 0, false},
         {{"0@200", "1@383"}, {"0@200", "2@383"}}},
        {"no repeating", {0, 0, 22, 900, 0, 0, true}, {{"0@154", "1@337"}, {"2@246"}}},
        {"the fixed column leaves no room beside a column: not repeated",
         {0, 1, 22, 500, 0, 0, true},
         {{"0@158"}, {"1@46"}, {"2@46"}}},
        {"columns wider than the page: alone, and marked",
         {0, 1, 22, 300, 0, 0, true},
         {{"0@58"}, {"1@0", "overflows"}, {"2@0", "overflows"}}},
        {"the left margin makes a column too wide",
         {0, 1, 22, 400, 100, 0, false},
         {{"0@100"}, {"1@100", "overflows"}, {"2@100", "overflows"}}},
        {"a range without the fixed column",
         {1, 0, 22, 500, 0, 0, true},
         {{"1@158"}, {"2@46"}, {"3@46"}}},
    };
    for (const auto& c : cases) {
        Pages pages;
        for (const ColumnPage& page : SplitColumnPages(widths, c.rules))
            pages.push_back(placed(page));
        EXPECT_EQ(pages, c.expected) << c.name;
    }
}

TEST(PrintWrapTest, WordsWiderThanTheLineBreakAfterTheCharactersThatFit)
{
    TestCanvas canvas;
    TGridFont font;
    font.Height = 35; // 18 wide: 5 characters in 90
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"short", "short"},
        {"two words here", "two words here"}, // wrapping at blanks is the canvas's business
        {"abcdefghijkl", "abcde\r\nfghij\r\nkl"},
        {"ab abcdefghij\tx", "ab abcde\r\nfghij\tx"},
        {"abcdefg\r\nabcdefgh", "abcde\r\nfg\r\nabcde\r\nfgh"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BreakLongWords(canvas, font, c.text, 90), c.expected) << c.text;
    // One character per line where not even one fits.
    EXPECT_EQ(BreakLongWords(canvas, font, "abc", 10), "a\r\nb\r\nc");

    // A hostile megabyte-long word is broken in time in proportion to its length.
    const std::string huge(1 << 20, 'x');
    const std::string broken = BreakLongWords(canvas, font, huge, 90);
    EXPECT_EQ(broken.size(), huge.size() + 2 * ((huge.size() - 1) / 5));
    EXPECT_EQ(broken.substr(0, 12), "xxxxx\r\nxxxxx");
}

} // namespace varnok
