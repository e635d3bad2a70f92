#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "grid/markup/markupplaintext.h"
#include "grid/markup/texttype.h"
#include "grid/table/basegrid.h"
#include "grid/table/columnfit.h"
#include "grid/table/rowfit.h"
#include "gridfixtures.h"
#include "support/testcanvas.h"

namespace varnok {

// Metrics of the test canvas: Tahoma 11 is 6 px a character and 13 px a line, the bold
// fixed font 7 and 15; column 1 (150 px) takes 25 characters a line.

namespace {

// A canvas whose every text measures a height chosen per text, to pin down the
// column-by-column rule.
class FixedHeightCanvas final : public TextCanvas {
public:
    int MeasureWrappedHeight(const TGridFont&, std::string_view text, int) override
    {
        return text.empty() ? 0 : std::stoi(std::string(text));
    }
    TextExtent MeasureLine(const TGridFont&, std::string_view) override { return {}; }
    void DrawWrappedText(const TGridFont&, TColor, std::string_view, const TextRect&) override {}
    int UnitsPerInch() const override { return 96; }
    TextExtent MeasureTextRun(const TGridFont&, std::string_view, bool) override { return {}; }
    void DrawTextRun(const TGridFont&, std::string_view, const TextRunOptions&, int, int,
                     const TextRect&) override
    {
    }
    void FillRect(const TextRect&, TColor) override {}
    using TextCanvas::DrawLine;
    void DrawLine(int, int, int, int, const TPen&) override {}
    void FrameRect(const TextRect&, const TPen&) override {}
};

class AutoSizeTest : public ::testing::Test {
protected:
    TestCanvas canvas;
    TBaseGrid grid;
};

} // namespace

TEST(TextTypeTest, ClassifiesByFirstCharactersAndMarkupSigns)
{
    EXPECT_EQ(TextType("", true), ttPlain);
    EXPECT_EQ(TextType("=SUM(A1)", true), ttFormula);
    EXPECT_EQ(TextType("={\\rtf1}", true), ttFormula);
    EXPECT_EQ(TextType("{\\rtf1 x}", true), ttRichText);
    EXPECT_EQ(TextType("a{\\rtf1 x}", true), ttPlain);
    EXPECT_EQ(TextType("<A href=\"x\">x</A>", true), ttMarkup);
    EXPECT_EQ(TextType("x</y", true), ttMarkup);
    EXPECT_EQ(TextType("<B>bold", true), ttMarkup);
    EXPECT_EQ(TextType("<I>", true), ttMarkup);
    EXPECT_EQ(TextType("<b>bold", true), ttPlain); // the letters are compared exactly
    EXPECT_EQ(TextType("<a href=\"x\">", true), ttPlain);
    EXPECT_EQ(TextType("http://x/?a<b", true), ttPlain);
    EXPECT_EQ(TextType("<A href=\"x\">x</A>", false), ttPlain);
    EXPECT_EQ(TextType("URL   ", true), ttPlain);
}

TEST(MarkupPlainTextTest, BreaksBecomeLineEndsOtherTagsGo)
{
    EXPECT_EQ(MarkupPlainText("a<br>b<HR>c<A href=\"x\">d</A>"), "a\r\nb\r\ncd");
    EXPECT_EQ(MarkupPlainText(Anchor("http://a/?b=1&amp;c=2")), "http://a/?b=1&amp;c=2");
    EXPECT_EQ(MarkupPlainText("x</y"), "x");
    EXPECT_EQ(MarkupPlainText("a<B unclosed"), "a");
    EXPECT_EQ(MarkupPlainText("<Br>"), "\r\n");
    EXPECT_EQ(MarkupPlainText("a<BR x>b<hr/>c"), "abc"); // only the bare tags break lines
    EXPECT_EQ(MarkupPlainText("no tags"), "no tags");
}

TEST_F(AutoSizeTest, RowHeightDependsOnColumnOrder)
{
    FixedHeightCanvas heights;
    grid.SetCellEx(0, 1, "20");
    grid.SetCellEx(1, 1, "22");
    AutoSizeRow(grid, heights, 1);
    EXPECT_EQ(grid.RowHeight(1), 24); // 20 raises to 24; 22 + 2 is not above 24

    grid.SetCellEx(0, 1, "");
    AutoSizeRow(grid, heights, 1);
    EXPECT_EQ(grid.RowHeight(1), 26); // 22 alone raises to 26

    grid.SetCellEx(1, 1, "19");
    AutoSizeRow(grid, heights, 1);
    EXPECT_EQ(grid.RowHeight(1), 21); // at most default - 2 keeps the default
}

TEST_F(AutoSizeTest, OneLineAddressKeepsDefaultWrappedAddressGrows)
{
    FillCaptions(grid);
    AddEntry(grid, 1, "1", "http://www.example.com/a", "05/06/2004 10:11:12");
    AddEntry(grid, 2, "2", "http://www.example.com/ some/longer/path.htm", "05/06/2004 10:11:12");
    AddEntry(grid, 3, "3", "line one\r\nline two\nline three", "");
    AutoSizeRows(grid, canvas, true);
    EXPECT_EQ(grid.RowHeight(0), 21);
    EXPECT_EQ(grid.RowHeight(1), 21);
    EXPECT_EQ(grid.RowHeight(2), 2 * 13 + 4);
    EXPECT_EQ(grid.RowHeight(3), 3 * 13 + 4);
}

TEST_F(AutoSizeTest, FixedCellsMeasureInTheFixedFont)
{
    FillCaptions(grid);
    grid.SetCellEx(0, 1, "1\r\n2"); // fixed column: 2 lines of 15
    grid.SetCellEx(1, 0, "a\r\nb"); // fixed row: 2 lines of 15
    AutoSizeRows(grid, canvas, true);
    EXPECT_EQ(grid.RowHeight(0), 34);
    EXPECT_EQ(grid.RowHeight(1), 34);
}

TEST_F(AutoSizeTest, FormulaMeasuresNothingMarkupAndRichTextTheirShownText)
{
    grid.SetRowCountEx(4);
    grid.SetCellEx(1, 0, "=a long formula text that would wrap over several lines");
    // The anchor's own text would wrap after "<A"; the text it shows fits one line.
    grid.SetCellEx(1, 1, Anchor("some/page.htm"));
    grid.SetCellEx(1, 2, "one<BR>two<BR>three");
    grid.SetCellEx(1, 3, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}one\\par two\\par three}");
    AutoSizeRows(grid, canvas, true);
    EXPECT_EQ(grid.RowHeight(0), 21);
    EXPECT_EQ(grid.RowHeight(1), 21);
    EXPECT_EQ(grid.RowHeight(2), 3 * 13 + 4);
    EXPECT_EQ(grid.RowHeight(3), 3 * 13 + 4);
}

TEST_F(AutoSizeTest, WithoutFixedRowsStartsAtTheFirstNormalRow)
{
    FillCaptions(grid);
    grid.SetCellEx(1, 0, "a\r\nb\r\nc");
    grid.SetCellEx(1, 1, "a\r\nb\r\nc");
    AutoSizeRows(grid, canvas, false);
    EXPECT_EQ(grid.RowHeight(0), 21);
    EXPECT_EQ(grid.RowHeight(1), 43);
}

TEST_F(AutoSizeTest, DefaultRowHeightUndoesAutoSizing)
{
    grid.SetCellEx(2, 1, "a\r\nb\r\nc");
    AutoSizeRows(grid, canvas, true);
    ASSERT_EQ(grid.RowHeight(1), 43);
    grid.SetDefRowHeightEx(21);
    EXPECT_EQ(grid.RowHeight(1), 21);
}

TEST_F(AutoSizeTest, MarkupSwitchedOffMeasuresTheTagsAsText)
{
    grid.SetEnableHTML(false);
    grid.SetCellEx(1, 1, "one<BR>two");
    AutoSizeRow(grid, canvas, 1);
    EXPECT_EQ(grid.RowHeight(1), 21);
}

TEST_F(AutoSizeTest, ColumnFitsItsWidestTextAsDrawnPlusLinesAndMargins)
{
    FillExampleList(grid);
    // The caption "URL   " is 6 characters of the bold header font: 42 pixels.
    const struct {
        std::string Text;
        int Width;
    } cases[] = {
        {"x.htm", 42 + 6}, // the caption is wider
        {"http://h.example/index.html", 27 * 6 + 6},
        {"a\r\nlonger line\nb", 11 * 6 + 6}, // the widest line
        // The address it shows; markup lines start 1 pixel into their area.
        {Anchor("http://a.example/"), 1 + 17 * 6 + 6},
        {"{\\rtf1 rich text shown plain}", 21 * 6 + 6},
        {"=SUM(A1:A9)", 11 * 6 + 6}, // shown as it is
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.Text);
        grid.SetCellEx(1, 1, test.Text);
        EXPECT_EQ(FittedColumnWidth(canvas, grid, 1), test.Width);
    }
    // The fixed column measures every cell in the header font.
    grid.SetCellEx(0, 1, "12345");
    EXPECT_EQ(FittedColumnWidth(canvas, grid, 0), 5 * 7 + 6);
}

} // namespace varnok
