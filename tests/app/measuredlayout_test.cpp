#include <gtest/gtest.h>

#include "app/measuredlayout.h"
#include "support/testcanvas.h"

namespace varnok {

namespace {

// 19 characters of 6 pixels (7 at height 13) on the test canvas, and the 2-pixel margins.
TEST(MeasuredLayout, VisitTimeColumnFitsAVisitTimeInTheCellFont)
{
    TestCanvas canvas;
    TGridFont font;
    for (const auto& [height, expected] : {std::pair{11, 118}, std::pair{13, 137}}) {
        font.Height = height;
        EXPECT_EQ(VisitTimeColumnWidth(canvas, font), expected) << height;
        EXPECT_EQ(canvas.MeasureWrappedHeight(font, "12/31/2005 23:59:59", expected - 4),
                  height + 2);
    }
}

// Design places stand while the texts fit; a wider caption or count moves what follows.
TEST(MeasuredLayout, CountLabelsMoveRightOnlyAsFarAsTheirTextsNeed)
{
    const struct {
        CountLabelWidths Widths;
        int LineCount, IndexSize;
    } cases[] = {{{80, 42}, 520, 566}, {{80, 43}, 520, 567}, {{95, 42}, 535, 581}};
    for (const auto& c : cases) {
        const CountLabelPlaces places = CountLabelPlacesFor(c.Widths);
        EXPECT_EQ(places.LineCount, c.LineCount) << c.Widths.LinesCaption;
        EXPECT_EQ(places.IndexSize, c.IndexSize) << c.Widths.LineCount;
    }
}

// The widest of caption (beside the title bar's icon and buttons), prompt and path field
// (at least 64 average characters), plus margins; capped by the screen.
TEST(MeasuredLayout, InputBoxShowsCaptionPromptAndPath)
{
    const struct {
        InputBoxTextWidths Widths;
        int Available, Expected;
    } cases[] = {{{120, 130, 200, 6}, 1280, 408},
                 {{120, 130, 500, 6}, 1280, 564},
                 {{400, 700, 200, 6}, 1280, 724},
                 {{120, 130, 1500, 7}, 1280, 1280},
                 {{120, 130, 1500, 7}, 0, 1564}};
    for (const auto& c : cases)
        EXPECT_EQ(InputBoxWidthFor(c.Widths, c.Available), c.Expected) << c.Widths.Path;
}

} // namespace

} // namespace varnok
