#include <gtest/gtest.h>

#include "app/formgeometry.h"

// Found by argument-dependent lookup, so they live beside the type, in the global namespace.
static bool operator==(const WindowBounds& a, const WindowBounds& b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

static std::ostream& operator<<(std::ostream& out, const WindowBounds& b)
{
    return out << b.Left << "," << b.Top << " " << b.Width << "x" << b.Height;
}

namespace {

// Stored bounds stand while usable; a size too small to see or larger than the screen
// gives the designed bounds; the result always lies within the screen area.
TEST(UsableWindowBounds, KeepsUsableBoundsAndKeepsTheWindowOnScreen)
{
    constexpr WindowBounds screen{0, 0, 800, 600};
    constexpr WindowBounds designed{60, 111, 700, 470};
    const struct {
        WindowBounds Stored;
        WindowBounds Available;
        WindowBounds Expected;
    } cases[] = {
        {designed, screen, designed},
        {{70, 50, 720, 500}, screen, {70, 50, 720, 500}},
        {{0, 0, 800, 600}, screen, {0, 0, 800, 600}},
        {{10, 10, 0, 0}, screen, designed},
        {{10, 10, -700, -470}, screen, designed},
        {{10, 10, 99, 300}, screen, designed},
        {{10, 10, 300, 99}, screen, designed},
        {{60, 111, 100000, 470}, screen, designed},
        {{60, 111, 700, 32767}, screen, designed},
        {{-5000, 7000, 300, 200}, screen, {0, 400, 300, 200}},
        {{700, 500, 300, 200}, screen, {500, 400, 300, 200}},
        // A panel above, a second screen to the right.
        {{60, 0, 700, 470}, {0, 24, 1024, 744}, {60, 24, 700, 470}},
        {{100, 100, 500, 400}, {1024, 0, 1280, 1024}, {1024, 100, 500, 400}},
        // A screen smaller than the designed window.
        {{0, 0, 0, 0}, {0, 0, 640, 400}, {0, 0, 640, 400}},
        // No screen known: only the size is judged.
        {{-10, -10, 500, 400}, {0, 0, 0, 0}, {-10, -10, 500, 400}},
        {{5, 5, 50, 50}, {0, 0, 0, 0}, designed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UsableWindowBounds(c.Stored, c.Available), c.Expected) << c.Stored;
}

// The resize rule's columns: 65, the rest, and 11 % of the grid but never narrower than a
// visit time needs (118 pixels for DejaVu Sans at 11 pixels, 170 for a large font).
TEST(ColumnWidthsFor, VisitTimesStayReadableAndTheAddressTakesTheRest)
{
    const struct {
        int GridWidth;
        int VisitTime;
        int Visit;
        int Address;
    } cases[] = {
        {684, 0, 75, 524},      // the rule alone
        {684, 118, 118, 481},   // the default window
        {1272, 118, 139, 1048}, // 11 % is wider
        {1073, 118, 118, 870},  // 11 % = 118: equal
        {1081, 118, 118, 878},  // 11 % = 118.91, truncated
        {684, 170, 170, 429},   // a large cell font
        {200, 170, 170, -55},   // narrower than a visit time: the window caps it at 0
    };
    for (const auto& c : cases) {
        const int visit = VisitColumnWidthFor(c.GridWidth, c.VisitTime);
        EXPECT_EQ(visit, c.Visit) << c.GridWidth << " " << c.VisitTime;
        EXPECT_EQ(AddressColumnWidthFor(c.GridWidth, kNumberColumnWidth, visit), c.Address)
            << c.GridWidth << " " << c.VisitTime;
    }
    EXPECT_TRUE(ColumnsFollowWindowSize(0));
    EXPECT_TRUE(ColumnsFollowWindowSize(1));
    EXPECT_FALSE(ColumnsFollowWindowSize(2)) << "started maximized";
}

// Outer bounds (what the settings hold) and the client area inside a frame, both ways.
TEST(FrameArithmetic, OuterBoundsAndClientAreaConvertBothWays)
{
    const struct {
        WindowBounds Outer;
        FrameExtents Frame;
        WindowBounds Client;
    } cases[] = {
        {{60, 111, 700, 470}, {}, {60, 111, 700, 470}},
        {{60, 111, 700, 470}, {1, 23, 1, 5}, {61, 134, 698, 442}}, // title bar and handles
        {{60, 111, 700, 470}, {2, 2, 2, 2}, {62, 113, 696, 466}},
        {{-4, 0, 1288, 1028}, {4, 4, 4, 4}, {0, 4, 1280, 1020}},
        {{0, 0, 700, 470}, {8, 31, 8, 8}, {8, 31, 684, 431}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClientBoundsFor(c.Outer, c.Frame), c.Client) << c.Outer;
        EXPECT_EQ(OuterBoundsFor(c.Client, c.Frame), c.Outer) << c.Client;
    }
    // A frame larger than the window leaves a client area of one pixel, never less.
    EXPECT_EQ(ClientBoundsFor({0, 0, 10, 10}, {8, 31, 8, 8}), (WindowBounds{8, 31, 1, 1}));
}

} // namespace
