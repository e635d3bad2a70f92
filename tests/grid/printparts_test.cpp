#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/pageslots.h"
#include "grid/printcolumns.h"
#include "grid/printdateformat.h"
#include "grid/printmetrics.h"
#include "grid/printwrap.h"
#include "printfixtures.h"

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

TEST(PageSlotsTest, ItemsGoInFrontOfLeftSlotsAndBehindTheOthers)
{
    const struct {
        const char* name;
        void (*setup)(TPrintSettings&);
        int page;
        int pageCount;
        std::array<std::string, 6> expected; // TL, TR, TC, BL, BR, BC
    } cases[] = {
        {"nothing placed", [](TPrintSettings&) {}, 1, 1, {}},
        {"time and date top left",
         [](TPrintSettings& s) { s.Time = s.Date = ppTopLeft; },
         1,
         1,
         {"05/03/2004 09:07 ", "", "", "", "", ""}},
        {"time and date top right",
         [](TPrintSettings& s) { s.Time = s.Date = ppTopRight; },
         1,
         1,
         {"", " 09:07 05/03/2004", "", "", "", ""}},
        {"page 2 of 3 bottom right",
         [](TPrintSettings& s) { s.PageNr = ppBottomRight; },
         2,
         3,
         {"", "", "", "", "  2/3 ", ""}},
        {"a single page shows no count",
         [](TPrintSettings& s) { s.PageNr = ppBottomCenter; },
         1,
         1,
         {"", "", "", "", "", "  1 "}},
        {"no separator, no count; prefix and suffix",
         [](TPrintSettings& s) {
             s.PageNr = ppBottomLeft;
             s.PageNumSep.clear();
             s.PagePrefix = "Page";
             s.PageSuffix = "-";
         },
         2,
         3,
         {"", "", "", "Page 2 - ", "", ""}},
        {"date format and title text together",
         [](TPrintSettings& s) {
             s.Date = s.Title = ppTopCenter;
             s.DateFormat = "yyyy";
             s.TitleText = "Cache";
             s.TitleLines = {"ignored"};
         },
         1,
         1,
         {"", "", " 2004 Cache", "", "", ""}},
        {"first title line in the slot",
         [](TPrintSettings& s) {
             s.Title = ppBottomLeft;
             s.TitleLines = {"Case 17", "Disk 2"};
         },
         1,
         1,
         {"", "", "", "Case 17 ", "", ""}},
    };
    for (const auto& c : cases) {
        TPrintSettings settings;
        c.setup(settings);
        const PageSlots slots = FillPageSlots(settings, kFriday, c.page, c.pageCount, true);
        EXPECT_EQ(slots.Texts, c.expected) << c.name;
    }
}

TEST(PageSlotsTest, FurtherTitleLinesAndMarkupTitles)
{
    TPrintSettings settings;
    settings.Title = ppTopRight;
    settings.TitleLines = {"Case 17", "Disk 2", "Image 3"};
    PageSlots slots = FillPageSlots(settings, kFriday, 1, 1, true);
    EXPECT_EQ(slots.TitleSlot, 1);
    EXPECT_EQ(slots.MoreTitleLines, (std::vector<std::string>{"Disk 2", "Image 3"}));

    settings.TitleLines = {"<B>Case</B> 17", "Disk 2"};
    slots = FillPageSlots(settings, kFriday, 1, 1, true);
    EXPECT_EQ(slots.MarkupTitle, "<B>Case</B> 17\r\nDisk 2");
    EXPECT_EQ(slots.MarkupTitlePosition, ppTopRight);
    EXPECT_EQ(slots.Texts[1], "");
    // Without markup display the same title is text like any other.
    slots = FillPageSlots(settings, kFriday, 1, 1, false);
    EXPECT_EQ(slots.Texts[1], " <B>Case</B> 17");
}

TEST(PageSlotsTest, BandsGrowWithTheirTextsAndTitleLines)
{
    // On the test canvas a 10 pt font is 35 high: lines of 37, a pad of 4.
    TestCanvas canvas;
    const struct {
        const char* name;
        void (*setup)(TPrintSettings&);
        int header;
        int footer;
    } cases[] = {
        {"margins only", [](TPrintSettings&) {}, 50, 4 + 37 + 20},
        {"time on top", [](TPrintSettings& s) { s.Time = ppTopCenter; }, 4 + 37 + 50, 61},
        {"page number below", [](TPrintSettings& s) { s.PageNr = ppBottomRight; }, 50,
         2 * 4 + 2 * 37 + 20},
        {"three title lines on top",
         [](TPrintSettings& s) {
             s.Title = ppTopLeft;
             s.TitleLines = {"a", "b", "c"};
         },
         91 + 2 * 37, 61},
        {"a title text is one line",
         [](TPrintSettings& s) {
             s.Title = ppBottomLeft;
             s.TitleText = "a";
             s.TitleLines = {"a", "b", "c"};
         },
         50, 102},
        {"bigger fonts, bigger bands",
         [](TPrintSettings& s) {
             s.Date = ppTopLeft;
             s.Time = ppBottomLeft;
             s.HeaderFont.Size = 20; // 70 high, lines of 72
             s.FooterFont.Size = 5;  // 17 high, lines of 19
         },
         4 + 72 + 50, 2 * 4 + 2 * 19 + 20},
    };
    for (const auto& c : cases) {
        TPrintSettings settings;
        c.setup(settings);
        const PrintMetrics metrics = MeasurePrintMetrics(canvas, settings, 96);
        EXPECT_EQ(HeaderBandHeight(settings, metrics), c.header) << c.name;
        EXPECT_EQ(FooterBandHeight(settings, metrics), c.footer) << c.name;
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

TEST(PrintColumnsTest, PagesAcrossRepeatTheFixedColumnAndTakeAtLeastOneColumn)
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
        {"only one column fits: one per page",
         {0, 1, 22, 300, 0, 0, true},
         {{"0@58"}, {"0@0", "1@183"}, {"0@0", "2@183"}}},
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
