#include <gtest/gtest.h>

#include "grid/hintplacement.h"

namespace {

bool Contains(const TextRect& rect, int x, int y)
{
    return x >= rect.Left && x < rect.Right && y >= rect.Top && y < rect.Bottom;
}

// Below and right of the pointer where there is room; pushed left at the right edge, above
// the pointer at the bottom edge; always on the screen, and never over the pointer's hot spot.
TEST(HintPlacement, BelowRightOfThePointerAndOnTheScreen)
{
    constexpr TextRect screen{0, 0, 1280, 1024};
    const struct {
        int X, Y, Width, Height;
        TextRect Screen;
        TextRect Expected;
    } cases[] = {
        {100, 100, 200, 20, screen, {102, 120, 302, 140}},
        {1200, 100, 200, 20, screen, {1080, 120, 1280, 140}},   // right edge
        {100, 1000, 200, 20, screen, {102, 978, 302, 998}},     // bottom edge: above
        {1270, 1020, 200, 20, screen, {1080, 998, 1280, 1018}}, // both
        {100, 984, 200, 20, screen, {102, 1004, 302, 1024}},    // just fits below
        {100, 100, 200, 1500, screen, {102, 0, 302, 1500}},     // taller than the screen
        // A second screen to the right, with a panel at its top.
        {1300, 30, 200, 20, {1280, 24, 2560, 1024}, {1302, 50, 1502, 70}},
        {1270, 500, 300, 20, {0, 0, 1280, 1024}, {980, 520, 1280, 540}},
    };
    for (const auto& c : cases) {
        const TextRect placed = PlaceHint(c.X, c.Y, c.Width, c.Height, c.Screen);
        EXPECT_EQ(placed.Left, c.Expected.Left) << c.X << "," << c.Y;
        EXPECT_EQ(placed.Top, c.Expected.Top) << c.X << "," << c.Y;
        EXPECT_EQ(placed.Right, c.Expected.Right) << c.X << "," << c.Y;
        EXPECT_EQ(placed.Bottom, c.Expected.Bottom) << c.X << "," << c.Y;
        if (c.Height < 1000) {
            EXPECT_FALSE(Contains(placed, c.X, c.Y)) << c.X << "," << c.Y;
        }
    }
}

TEST(HintPlacement, LongHintsWrapAtHalfTheScreen)
{
    EXPECT_EQ(HintWrapWidth(1280), 640);
    EXPECT_EQ(HintWrapWidth(800), 400);
    EXPECT_EQ(HintWrapWidth(300), 200);
    EXPECT_EQ(HintWrapWidth(150), 150);
}

} // namespace
