#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "grid/markup/markupcolor.h"
#include "grid/markup/markuplayout.h"
#include "grid/markup/markupplaintext.h"
#include "grid/markup/safeanchor.h"
#include "support/testcanvas.h"

namespace varnok {

// Test canvas metrics: the cell font (height 11) is 6 units a character and 13 a line;
// lines start 1 unit right of the area's left edge.

namespace {

using Call = TestCanvasCall;
using Lines = std::vector<std::string>;

constexpr TColor kText = clWindowText;
constexpr TextRect kWide{0, 0, 1000, 1000};

MarkupRequest request(const TextRect& area = kWide)
{
    MarkupRequest r;
    r.Font.Color = kText;
    r.AnchorColor = clBlue;
    r.Area = area;
    return r;
}

std::string hex(TColor color)
{
    char text[16];
    std::snprintf(text, sizeof text, "%X", color);
    return text;
}

// A drawn run as "shown@x,y" followed by what differs from the cell font.
std::string describe(const Call& run)
{
    std::string text =
        run.Shown + "@" + std::to_string(run.Rect.Left) + "," + std::to_string(run.Rect.Top);
    const TGridFont plain;
    if (run.Font.Name != plain.Name || run.Font.Height != plain.Height)
        text += " " + run.Font.Name + "/" + std::to_string(run.Font.Height);
    if (run.Font.Bold)
        text += " B";
    if (run.Font.Italic)
        text += " I";
    if (run.Font.Underline)
        text += " U";
    if (run.Font.StrikeOut)
        text += " S";
    if (run.Color != kText)
        text += " c" + hex(run.Color);
    if (run.RunOptions.Background != kNoColor)
        text += " bg" + hex(run.RunOptions.Background);
    return text;
}

Lines drawnRuns(std::string_view text, const MarkupRequest& r = request())
{
    TestCanvas canvas;
    static_cast<void>(DrawMarkup(canvas, text, r));
    Lines runs;
    for (const Call& call : canvas.Calls()) {
        if (call.Kind == Call::ckRun)
            runs.push_back(describe(call));
    }
    return runs;
}

} // namespace

TEST(MarkupLayoutTest, TagsAndEntitiesShapeTheRuns)
{
    struct Case {
        const char* text;
        Lines runs;
    };
    const Case cases[] = {
        {"<A href=\"page.htm\">page.htm</A>", {"page.htm@1,0 U cFF0000"}},
        // A single "&" hides itself (the canvas underlines the next character); "&amp;" shows.
        {"<A href=\"x\">a&b</A>", {"ab@1,0 U cFF0000"}},
        {"<A href=\"x\">a&amp;b</A>", {"a&b@1,0 U cFF0000"}},
        {"x</y", {"x@1,0"}},
        {"<B>bo</B> <i>it</i><U>u</U><S>s</S>",
         {"bo@1,0 B", " @13,0", "it@19,0 I", "u@31,0 U", "s@37,0 S"}},
        {"<BIG>no</BIG><Bx>y", {"no@1,0", "y@13,0"}},
        // Entities are decoded once, and "&lt;" never opens a tag.
        {"&lt;B&gt;x</q>", {"<B>x@1,0"}},
        {"&amp;lt;</q>", {"&lt;@1,0"}},
        {"&euro;&COPY;&reg;&trade;&sect;&para;&permil;&quot;&nbsp;.</q>",
         {"\x80\xA9\xAE\x99\xA7\xB6\x89\" .@1,0"}},
        {"<FONT FACE=\"Courier\" COLOR=#FF8000 SIZE=3>f</FONT>g",
         {"f@1,0 Courier/16 c80FF", "g@9,5"}},
        {"<FONT color=clRed bgcolor='clYellow' size=20>r</font>", {"r@1,0 Tahoma/27 cFF bgFFFF"}},
        {"<HI>h</HI>n", {"h@1,0 c8000000E bg8000000D", "n@7,0"}},
        // Colours by hex (either case) or name, anything else black; BGCOLOR is not COLOR.
        {"<FONT color=#ff8000 bgcolor=#12345>a</FONT>", {"a@1,0 c80FF bg0"}},
        {"<FONT COLOR=clinfobk BGCOLOR=clnothing>a</FONT>", {"a@1,0 c80000018 bg0"}},
        {"<FONT BGCOLOR=clRed>a</FONT>", {"a@1,0 bgFF"}},
        // Longer tags are known by two letters, SUB and SUP by three.
        {"<FO COLOR=clRed>r</FO><SHADOW>s</SHADOW><SU>t<SUBx>u</q>",
         {"r@1,0 cFF", "s@8,1 c808080", "s@7,0", "t@13,0", "u@19,3"}},
        {"<Z>hidden</Z>v<IMG SRC=\"a.bmp\"><R a=90>r</R>", {"v@1,0", "r@7,0"}},
        // Tags act in their order: "</U>" ends the anchor's underline too.
        {"<A href=\"t\"><U>a</U>b</A>c", {"a@1,0 U cFF0000", "b@7,0 cFF0000", "c@13,0"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(drawnRuns(c.text), c.runs) << c.text;
}

TEST(MarkupLayoutTest, LinesBreakAtBlanksTagsAndLineEnds)
{
    struct Case {
        const char* text;
        int areaRight;
        Lines runs;
    };
    const Case cases[] = {
        {"aaaa bbbb cccc</q>", 61, {"aaaa @1,0", "bbbb @31,0", "cccc@1,13"}},
        {"aaaa bbbb cccc</q>", 54, {"aaaa @1,0", "bbbb @1,13", "cccc@1,26"}},
        // No break inside a word, however it is split by tags.
        {"ab<B>cd</B>ef gh", 20, {"ab@1,0", "cd@13,0 B", "ef @25,0", "gh@1,13"}},
        // A run wider than the whole line stays where it is.
        {"x verylongword</q>", 30, {"x @1,0", "verylongword@13,0"}},
        {"a<BR>b<br><br>c", 100, {"a@1,0", "b@1,13", "c@1,39"}},
        // CR LF, CR and LF each end a line, as in a plain cell.
        {"a\r\nb\nc\rd\n\re</q>", 100, {"a@1,0", "b@1,13", "c@1,26", "d@1,39", "e@1,65"}},
        {"x<#abc>y</q>", 100, {"x#abcy@1,0"}},
        {"a<HR>b", 100, {"a@1,0", "b@1,13"}},
        {"<UL><LI>one<LI>two<UL><LI>in</UL></UL>",
         100,
         {"\x95@1,0", "one@13,0", "\x95@1,13", "two@13,13", "o@13,26", "in@25,26"}},
        {"<P ALIGN=RIGHT>ab</P>c", 100, {"ab@88,0", "c@94,13"}},
        {"<P align=\"center\" indent=3>ab</P>", 100, {"ab@47,0"}},
        {"<P INDENT=20>ab</P>", 100, {"ab@21,0"}},
        {"a<IND x=50>b<IND x=10>c", 100, {"a@1,0", "b@50,0", "c@56,0"}},
        {"a<SUP>b</SUP></q>", 100, {"a@1,3", "b@7,0"}},
        {"a<SUB>b</SUB><BR>c", 100, {"a@1,0", "b@7,3", "c@1,16"}},
        {"a<FONT SIZE=5>b</FONT>", 100, {"a@1,10", "b@7,0 Tahoma/21"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(drawnRuns(c.text, request({0, 0, c.areaRight, 1000})), c.runs) << c.text;
}

// On paper nothing may run past a cell's edge: a run too long for the rest of its line goes
// on in the next, and the measured height counts those lines.
TEST(MarkupLayoutTest, OnPaperLongRunsBreakWhereTheLineEnds)
{
    struct Case {
        std::string text;
        int areaRight;
        Lines runs;
        int lines;
    };
    const Case cases[] = {
        {"x verylongword</q>", 30, {"x @1,0", "ve@13,0", "rylo@1,13", "ngwo@1,26", "rd@1,39"}, 4},
        {"short words fit</q>", 100, {"short @1,0", "words @37,0", "fit@73,0"}, 1},
        {"aaaa bbbb</q>", 40, {"aaaa @1,0", "bbbb@1,13"}, 2}, // a word that fits a line moves
        {"a&amp;b&lt;cdef</q>", 20, {"a&b@1,0", "<cd@1,13", "ef@1,26"}, 3}, // entities stay whole
        {AddressAnchor("http://x.example/c?d=1"),
         60,
         {"http://x.@1,0 U cFF0000", "example/c@1,13 U cFF0000", "?d=1@1,26 U cFF0000"},
         3},
        {"<A href=\"t\">ab</A>cdefgh</q>",
         20,
         {"ab@1,0 U cFF0000", "c@13,0", "def@1,13", "gh@1,26"},
         3},
    };
    for (const Case& c : cases) {
        MarkupRequest r = request({0, 0, c.areaRight, 1000});
        r.BreakLongRuns = true;
        EXPECT_EQ(drawnRuns(c.text, r), c.runs) << c.text;
        TestCanvas canvas;
        EXPECT_EQ(MeasureMarkup(canvas, r.Font, c.text, c.areaRight, true).Height, 13 * c.lines)
            << c.text;
    }
}

TEST(MarkupLayoutTest, MeasuresWidthAndHeightWithoutDrawing)
{
    struct Case {
        const char* text;
        int areaRight;
        int width;
        int height;
    };
    const Case cases[] = {
        {"<A href=\"page.htm\">page.htm</A>", 1000, 1 + 48, 13},
        {"", 1000, 0, 13},
        {"<B></B>", 1000, 1, 13},
        {"aaaa bbbb cccc</q>", 54, 1 + 30, 39},
        {"a<SUP>b</SUP><SUB>c</SUB></q>", 1000, 1 + 18, 19},
        {"<FONT SIZE=5>big</FONT><BR>small", 1000, 1 + 33, 23 + 13},
        {"a<Z>bbbbbbbbbb</Z>", 1000, 1 + 6, 13},
        {"a<B unclosed", 1000, 1 + 6, 13},
    };
    for (const Case& c : cases) {
        TestCanvas canvas;
        MarkupRequest r = request({0, 0, c.areaRight, 65535});
        r.MeasureOnly = true;
        const MarkupResult result = DrawMarkup(canvas, c.text, r);
        EXPECT_EQ(result.Width, c.width) << c.text;
        EXPECT_EQ(result.Height, c.height) << c.text;
        EXPECT_TRUE(canvas.Calls().empty()) << c.text;
    }
}

// Markup typed into a cell can ask for anything; sizes, levels and drawing stay bounded.
TEST(MarkupLayoutTest, HostileSizesStayBounded)
{
    std::string lists;
    for (int i = 0; i < 2000; ++i)
        lists += "<UL>";
    EXPECT_EQ(drawnRuns("<FONT SIZE=99999>x</FONT>"), Lines{"x@1,0 Tahoma/1000"});
    EXPECT_EQ(drawnRuns(lists + "<LI>x")[1], "x@12001,0");
    EXPECT_EQ(drawnRuns("<IND x=99999999>y</q>"), Lines{"y@65535,0"});

    TestCanvas canvas;
    static_cast<void>(
        DrawMarkup(canvas, "<E>" + std::string(2'000'000, 'a') + "</E>", request({0, 0, 100, 20})));
    std::size_t zigzags = 0;
    for (const Call& call : canvas.Calls())
        zigzags += call.Kind == Call::ckLine ? 1 : 0;
    EXPECT_EQ(zigzags, 50u); // the part inside the area only
}

TEST(MarkupLayoutTest, PointerOnAnchorTextFindsItsTarget)
{
    // The first line (20..33): "ab " at 11..29, the anchor text "cd" at 29..41, " " and the
    // empty-target anchor "e" at 47..53; the second (33..46): "x" at 11..17, "y" at 17..23.
    const char* text = "ab <A href=\"t1\">cd</A> <A>e</A><BR>x<A href=\"a&amp;b\"b\">y</A>";
    struct Case {
        int x;
        int y;
        bool hit;
        const char* target;
    };
    const Case cases[] = {
        {29, 20, true, "t1"},      {40, 32, true, "t1"}, {41, 25, false, ""},
        {28, 25, false, ""},       {30, 33, false, ""},  {35, 19, false, ""},
        {50, 25, true, ""},        {11, 40, false, ""},  {17, 40, true, "a&amp;b"},
        {22, 45, true, "a&amp;b"},
    };
    for (const Case& c : cases) {
        TestCanvas canvas;
        MarkupRequest r = request({10, 20, 200, 60});
        r.MeasureOnly = true;
        r.Pointer = MarkupPoint{c.x, c.y};
        const MarkupResult result = DrawMarkup(canvas, text, r);
        EXPECT_EQ(result.AnchorHit, c.hit) << c.x << "," << c.y;
        EXPECT_EQ(result.AnchorTarget, c.target) << c.x << "," << c.y;
        EXPECT_TRUE(canvas.Calls().empty());
    }
}

// An address holding line breaks is one link: every line of it is drawn as link text, the
// tag's target stays whole, and the plain-text form is the address again.
TEST(MarkupLayoutTest, AnAddressWithLineBreaksStaysOneAnchor)
{
    std::string manyBreaks = "http://x.example/a";
    Lines manyRuns = {"http://x.example/a@1,0 U cFF0000"};
    std::string manyTarget = manyBreaks;
    for (int line = 1; line <= 180; ++line) {
        manyBreaks += "\r\nb";
        manyRuns.push_back("b@1," + std::to_string(13 * line) + " U cFF0000");
        manyTarget += "%0D%0Ab";
    }
    const struct {
        std::string address;
        Lines runs;
        std::string target; // as the tag writes it
    } cases[] = {
        {"http://x.example/a\r\nb",
         {"http://x.example/a@1,0 U cFF0000", "b@1,13 U cFF0000"},
         "http://x.example/a%0D%0Ab"},
        {"http://x.example/a\rb\nc\x01"
         "d",
         {"http://x.example/a@1,0 U cFF0000", "b@1,13 U cFF0000",
          "c\x01"
          "d@1,26 U cFF0000"},
         "http://x.example/a%0Db%0Ac%01d"},
        {manyBreaks, manyRuns, manyTarget},
    };
    for (const auto& c : cases) {
        const std::string cell = AddressAnchor(c.address);
        EXPECT_EQ(drawnRuns(cell, request({0, 0, 1000, 5000})), c.runs) << c.address;
        TestCanvas canvas;
        MarkupRequest r = request({0, 0, 1000, 5000});
        r.MeasureOnly = true;
        r.Pointer = MarkupPoint{2, 14}; // on the second line
        const MarkupResult result = DrawMarkup(canvas, cell, r);
        EXPECT_TRUE(result.AnchorHit) << c.address;
        EXPECT_EQ(result.AnchorTarget, c.target);
        EXPECT_EQ(result.Height, 13 * static_cast<int>(c.runs.size()));
        EXPECT_EQ(MarkupPlainText(cell), c.address);
    }
}

TEST(MarkupLayoutTest, DrawsRulesBackgroundsShadowsAndMarksInsideTheArea)
{
    TestCanvas canvas;
    const TextRect area{10, 20, 110, 50};
    static_cast<void>(DrawMarkup(
        canvas, "<BODY BGCOLOR=#0000FF><SHAD>s</SHAD><E>ee</E><HR><P BGCOLOR=clLime>p</P>q<BR>r",
        request(area)));
    Lines calls;
    for (const Call& call : canvas.Calls()) {
        const std::string rect =
            std::to_string(call.Rect.Left) + "," + std::to_string(call.Rect.Top) + "," +
            std::to_string(call.Rect.Right) + "," + std::to_string(call.Rect.Bottom);
        switch (call.Kind) {
        case Call::ckRun:
            calls.push_back("run " + describe(call));
            EXPECT_EQ(call.Clip.Left, area.Left);
            EXPECT_EQ(call.Clip.Bottom, area.Bottom);
            break;
        case Call::ckFill:
            calls.push_back("fill " + rect + " " + hex(call.Color));
            break;
        case Call::ckLine:
            calls.push_back("line " + rect + " " + hex(call.Color));
            break;
        default:
            calls.push_back("other");
            break;
        }
    }
    // The third line ends below the area's bottom (20 + 39 > 50): "r" is dropped.
    const Lines expected = {
        "fill 10,20,110,50 FF0000",
        "run s@12,21 c808080",
        "run s@11,20",
        "run ee@17,20",
        "line 17,31,19,32 FF",
        "line 19,32,21,31 FF",
        "line 21,31,23,32 FF",
        "line 23,32,25,31 FF",
        "line 25,31,27,32 FF",
        "line 27,32,29,31 FF",
        "line 10,33,110,33 0",
        "fill 10,33,110,46 FF00",
        "run p@11,33",
        "run q@11,46",
    };
    EXPECT_EQ(calls, expected);
}

} // namespace varnok
