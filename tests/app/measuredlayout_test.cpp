#include <gtest/gtest.h>

#include "app/measuredlayout.h"
#include "support/testcanvas.h"

namespace {

// A visit time on one line: its 19 characters (6 pixels each at height 11, 7 at 13 on the
// test canvas) and the 2-pixel text margins on both sides.
TEST(MeasuredLayout, VisitTimeColumnFitsAVisitTimeInTheCellFont)
{
    TestCanvas canvas;
    TGridFont font;
    const struct {
        int Height;
        int Expected;
    } cases[] = {{11, 118}, {13, 137}, {16, 156}};
    for (const auto& c : cases) {
        font.Height = c.Height;
        EXPECT_EQ(VisitTimeColumnWidth(canvas, font), c.Expected) << c.Height;
        EXPECT_EQ(canvas.MeasureWrappedHeight(font, "12/31/2005 23:59:59", c.Expected - 4),
                  c.Height + 2)
            << "one line at height " << c.Height;
    }
}

// Design places stand while the texts fit; a wider caption or count moves what follows.
TEST(MeasuredLayout, CountLabelsMoveRightOnlyAsFarAsTheirTextsNeed)
{
    const struct {
        CountLabelWidths Widths;
        CountLabelPlaces Expected;
    } cases[] = {
        {{80, 40}, {436, 520, 566}},  // the designed font
        {{80, 42}, {436, 520, 566}},  // the count just fits
        {{80, 43}, {436, 520, 567}},  // one pixel more
        {{95, 42}, {436, 535, 581}},  // DejaVu Sans at 11 pixels
        {{120, 70}, {436, 560, 634}}, // a large fallback font
        {{0, 0}, {436, 520, 566}},
    };
    for (const auto& c : cases) {
        const CountLabelPlaces places = CountLabelPlacesFor(c.Widths);
        EXPECT_EQ(places.LinesCaption, c.Expected.LinesCaption);
        EXPECT_EQ(places.LineCount, c.Expected.LineCount) << c.Widths.LinesCaption;
        EXPECT_EQ(places.IndexSize, c.Expected.IndexSize) << c.Widths.LineCount;
    }
}

// The widest of caption (with the title bar's icon and buttons), prompt and path field,
// plus the margins; the field at least 64 average characters; capped by the screen.
TEST(MeasuredLayout, InputBoxShowsCaptionPromptAndPath)
{
    const struct {
        InputBoxTextWidths Widths;
        int Available;
        int Expected;
    } cases[] = {
        {{120, 130, 200, 6}, 1280, 408},   // 64 characters of 6 pixels: 384 + 24
        {{120, 130, 500, 6}, 1280, 564},   // the path and room to type: 540 + 24
        {{400, 130, 200, 6}, 1280, 544},   // a long caption: 520 + 24
        {{120, 700, 200, 6}, 1280, 724},   // a long prompt
        {{120, 130, 1500, 7}, 1280, 1280}, // a 255-character path: as wide as the screen
        {{120, 130, 1500, 7}, 0, 1564},    // no screen known
    };
    for (const auto& c : cases)
        EXPECT_EQ(InputBoxWidthFor(c.Widths, c.Available), c.Expected) << c.Widths.Path;
}

} // namespace
