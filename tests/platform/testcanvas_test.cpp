#include <gtest/gtest.h>

#include "platform/runtext.h"
#include "support/testcanvas.h"

namespace varnok {

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

TEST(TestCanvasTest, RunsShowTheirPrefixProcessedCharacters)
{
    struct Case {
        const char* text;
        bool prefix;
        std::string shown;
        std::vector<std::size_t> underlined;
    };
    const Case cases[] = {
        {"a&b", true, "ab", {1}},
        {"a&&b", true, "a&b", {}},
        {"a&", true, "a", {}},
        {"&&&x", true, "&x", {1}},
        {"&a&b", true, "ab", {0, 1}},
        {"a&b", false, "a&b", {}},
        {"\tx&y", true, "        xy", {9}},
        {"ab\tc", false, "ab      c", {}},
    };
    TestCanvas canvas;
    const TGridFont font = fontOfHeight(11);
    for (const Case& c : cases) {
        const ShownRun run = ShowRunText(c.text, c.prefix);
        EXPECT_EQ(run.Text, c.shown) << c.text;
        EXPECT_EQ(run.Underlined, c.underlined) << c.text;
        EXPECT_EQ(ShowsAsWritten(c.text, c.prefix), c.shown == c.text) << c.text;
        EXPECT_EQ(canvas.MeasureTextRun(font, c.text, c.prefix).Width,
                  6 * static_cast<int>(c.shown.size()))
            << c.text;
    }
}

} // namespace varnok
