#include <gtest/gtest.h>

#include <array>

#include "grid/table/hintplacement.h"

namespace varnok {

namespace {

// Below and right of the pointer where there is room; pushed left at the right edge, above
// the pointer at the bottom edge; on the screen even when taller than it.
TEST(HintPlacement, BelowRightOfThePointerAndOnTheScreen)
{
    constexpr TextRect screen{0, 0, 1280, 1024};
    const struct {
        int X, Y, Width, Height;
        TextRect Screen, Expected;
    } cases[] = {
        {100, 100, 200, 20, screen, {102, 120, 302, 140}},
        {1270, 1020, 200, 20, screen, {1080, 998, 1280, 1018}},
        {100, 984, 200, 20, screen, {102, 1004, 302, 1024}},
        {100, 100, 200, 1500, screen, {102, 0, 302, 1500}},
        {1300, 30, 200, 20, {1280, 24, 2560, 1024}, {1302, 50, 1502, 70}},
    };
    for (const auto& c : cases) {
        const TextRect placed = PlaceHint(c.X, c.Y, c.Width, c.Height, c.Screen);
        EXPECT_EQ(
            (std::array{placed.Left, placed.Top, placed.Right, placed.Bottom}),
            (std::array{c.Expected.Left, c.Expected.Top, c.Expected.Right, c.Expected.Bottom}))
            << c.X << "," << c.Y;
    }
    EXPECT_EQ(HintWrapWidth(1280), 640);
    EXPECT_EQ(HintWrapWidth(300), 200);
}

} // namespace

} // namespace varnok
