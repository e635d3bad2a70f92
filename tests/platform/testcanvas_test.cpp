#include <gtest/gtest.h>

#include "support/testcanvas.h"

namespace {

TGridFont fontOfHeight(int height)
{
    TGridFont font;
    font.Height = height;
    return font;
}

} // namespace

TEST(TestCanvasTest, MetricsFollowTheFontHeight)
{
    TestCanvas canvas;
    const TGridFont font = fontOfHeight(11);
    EXPECT_EQ(canvas.MeasureLine(font, "abc").Width, 18);
    EXPECT_EQ(canvas.MeasureLine(font, "abc").Height, 13);
    EXPECT_EQ(canvas.MeasureLine(fontOfHeight(13), "gh").Width, 14);
    EXPECT_EQ(canvas.MeasureLine(font, "\tx").Width, 9 * 6);
    EXPECT_EQ(canvas.MeasureLine(font, "").Height, 13);
}

TEST(TestCanvasTest, WrapsAtBlanksAndKeepsLongWordsWhole)
{
    const TGridFont font = fontOfHeight(11); // 6 px: 60 px hold 10 characters
    using Lines = std::vector<std::string>;
    EXPECT_EQ(TestCanvas::WrapLines(font, "aaaa bbbb cccc", 60), (Lines{"aaaa bbbb", "cccc"}));
    EXPECT_EQ(TestCanvas::WrapLines(font, "aaaa bbbbb", 60), (Lines{"aaaa bbbbb"}));
    EXPECT_EQ(TestCanvas::WrapLines(font, "aaaaaaaaaaaa bb", 60), (Lines{"aaaaaaaaaaaa", "bb"}));
    EXPECT_EQ(TestCanvas::WrapLines(font, "a    b", 18), (Lines{"a", "b"}));
    EXPECT_EQ(TestCanvas::WrapLines(font, "ab   ", 12), (Lines{"ab   "}));
    EXPECT_EQ(TestCanvas::WrapLines(font, "  ab", 60), (Lines{"  ab"}));
}

TEST(TestCanvasTest, EveryKindOfLineBreakEndsALine)
{
    const TGridFont font = fontOfHeight(11);
    using Lines = std::vector<std::string>;
    EXPECT_EQ(TestCanvas::WrapLines(font, "a\r\nb\rc\nd", 600), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(TestCanvas::WrapLines(font, "a\r\n", 600), (Lines{"a", ""}));
    EXPECT_EQ(TestCanvas::WrapLines(font, "a\n\rb", 600), (Lines{"a", "", "b"}));
    EXPECT_TRUE(TestCanvas::WrapLines(font, "", 600).empty());
    EXPECT_EQ(TestCanvas::WrapLines(font, "a\tb", 600), (Lines{"a       b"}));

    TestCanvas canvas;
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "a\r\nb", 600), 26);
    EXPECT_EQ(canvas.MeasureWrappedHeight(font, "", 600), 0);
    EXPECT_EQ(canvas.MeasureWrappedHeight(fontOfHeight(13), "x", 600), 15);
}
