#include <gtest/gtest.h>

#include "grid/markup/richtextplaintext.h"
#include "grid/resultgrid.h"
#include "grid/table/cellmeasure.h"
#include "grid/writers/clipboardtext.h"
#include "gridfixtures.h"
#include "support/recordingclipboard.h"
#include "support/testcanvas.h"

namespace varnok {

namespace {

class ClipboardTextTest : public ::testing::Test {
protected:
    ClipboardTextTest()
    {
        FillExampleList(grid);
        AddEntry(grid, 2, "2", Anchor("http://y/"), "");
    }
    TResultGrid grid;
};

} // namespace

TEST_F(ClipboardTextTest, OneCellIsExactlyItsText)
{
    EXPECT_EQ(ClipboardText(grid, {1, 1, 1, 1}), "x.htm");
    EXPECT_EQ(ClipboardText(grid, {1, 2, 1, 2}), Anchor("http://y/")); // markup stays
}

TEST_F(ClipboardTextTest, OneRowIsTabSeparatedWithoutLineEnd)
{
    EXPECT_EQ(ClipboardText(grid, {1, 1, 2, 1}), "x.htm\t05/06/2004 10:11:12");
    EXPECT_EQ(ClipboardText(grid, {0, 2, 2, 2}), "2\t" + Anchor("http://y/") + "\t");
}

TEST_F(ClipboardTextTest, SeveralRowsEachEndInCrLf)
{
    EXPECT_EQ(ClipboardText(grid, {0, 0, 1, 1}), "No.\tURL   \r\n1\tx.htm\r\n");
    grid.SetCellEx(1, 1, "a\r\nb");
    EXPECT_EQ(ClipboardText(grid, {1, 1, 1, 2}), "a\r\nb\r\n" + Anchor("http://y/") + "\r\n");
}

TEST_F(ClipboardTextTest, RangeIsNormalisedAndClipped)
{
    EXPECT_EQ(ClipboardText(grid, {2, 1, 1, 1}), "x.htm\t05/06/2004 10:11:12");
    EXPECT_EQ(ClipboardText(grid, {1, 1, 9, 9}),
              "x.htm\t05/06/2004 10:11:12\r\n" + Anchor("http://y/") + "\t\r\n");
    EXPECT_EQ(ClipboardText(grid, {2, 2, 9, 9}), ""); // one row left: no line end
    EXPECT_EQ(ClipboardText(grid, {5, 5, 9, 9}), "");
}

TEST_F(ClipboardTextTest, RichTextGivesThePlainTextItShows)
{
    grid.SetCellEx(1, 1,
                   "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                   "\\f0 caf\\'e9 {\\b bold}\\par next\\tab x\\{y\\}}");
    EXPECT_EQ(ClipboardText(grid, {1, 1, 1, 1}), "caf\xE9 bold\r\nnext\tx{y}");
}

// A list read in the text format holds addresses only: whatever an address starts with, it
// is copied and measured as exactly its bytes, never read as rich text or a formula.
TEST_F(ClipboardTextTest, TextFormatCellsAreCopiedAndMeasuredAsTheirBytes)
{
    grid.SetEnableHTML(false);
    TestCanvas canvas;
    const TGridFont font;
    for (const std::string text : {"{\\rtf1\\b http://evil.example/}", "{\\rtf1 a\\line b}\r\nc",
                                   "=HYPERLINK(\"x\")\r\nsecond line", "{\\b y}"}) {
        grid.SetCellEx(1, 1, text);
        EXPECT_EQ(ClipboardText(grid, {1, 1, 1, 1}), text);
        EXPECT_EQ(MeasureCellWidth(canvas, font, text, false),
                  MeasureWidestLine(canvas, font, text))
            << text;
        EXPECT_EQ(MeasureCellHeight(canvas, font, text, 150, false),
                  canvas.MeasureWrappedHeight(font, text, 150))
            << text;
    }
    grid.SetEnableHTML(true); // the HTML format still reads a cell that is rich text
    grid.SetCellEx(1, 1, "{\\rtf1 a\\line b}");
    EXPECT_EQ(ClipboardText(grid, {1, 1, 1, 1}), "a\r\nb");
}

TEST_F(ClipboardTextTest, CopySelectionPutsTheSelectionOnTheClipboard)
{
    RecordingClipboard clipboard;
    grid.SetSelection({1, 1, 2, 1});
    grid.CopySelectionToClipboard(clipboard);
    ASSERT_EQ(clipboard.Texts().size(), 1u);
    EXPECT_EQ(clipboard.Text(), "x.htm\t05/06/2004 10:11:12");
}

TEST(RichTextPlainTextTest, ReadsTheVisibleText)
{
    EXPECT_EQ(RichTextPlainText("{\\rtf1 a\\line b}"), "a\r\nb");
    EXPECT_EQ(RichTextPlainText("{\\rtf1{\\*\\generator x;}{\\info{\\title t}}visible}"),
              "visible");
    EXPECT_EQ(RichTextPlainText("{\\rtf1\\uc1\\u8364?\\u233\\'e9\\emdash}"), "?\xE9\x97");
    EXPECT_EQ(RichTextPlainText("{\\rtf1 a\\\\b\\~c\r\nd}"), "a\\b\xA0"
                                                             "cd");
    EXPECT_EQ(RichTextPlainText("{\\rtf1 }}}}unbalanced{{{"), "unbalanced");
    EXPECT_EQ(RichTextPlainText("{\\rtf1 trailing\\"), "trailing");
    // Without the rich-text signature a rich-text control shows the text as it is.
    EXPECT_EQ(RichTextPlainText("x{\\b y}"), "x{\\b y}");
    EXPECT_EQ(RichTextPlainText("{\\b y}"), "{\\b y}");
}

} // namespace varnok
