#include <gtest/gtest.h>

#include "app/formgeometry.h"

namespace varnok {

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

// The resize rule's columns: 11 % of the grid, never narrower than a visit time needs (118
// pixels for DejaVu Sans at 11 pixels); the address column takes the rest.
TEST(ColumnWidthsFor, VisitTimesStayReadableAndTheAddressTakesTheRest)
{
    const struct {
        int GridWidth, VisitTime, Visit, Address;
    } cases[] = {{684, 0, 75, 524},
                 {684, 118, 118, 481},
                 {1272, 118, 139, 1048},
                 {1081, 118, 118, 878},
                 {200, 170, 170, -55}};
    for (const auto& c : cases) {
        const int visit = VisitColumnWidthFor(c.GridWidth, c.VisitTime);
        EXPECT_EQ(visit, c.Visit) << c.GridWidth;
        EXPECT_EQ(AddressColumnWidthFor(c.GridWidth, kNumberColumnWidth, visit), c.Address);
    }
}

// Outer bounds (what the settings hold) and the client area inside a frame, both ways.
TEST(FrameArithmetic, OuterBoundsAndClientAreaConvertBothWays)
{
    const struct {
        WindowBounds Outer;
        FrameExtents Frame;
        WindowBounds Client;
    } cases[] = {{{60, 111, 700, 470}, {}, {60, 111, 700, 470}},
                 {{60, 111, 700, 470}, {1, 20, 1, 5}, {61, 131, 698, 445}},
                 {{-4, 0, 1288, 1028}, {4, 4, 4, 4}, {0, 4, 1280, 1020}}};
    for (const auto& c : cases) {
        EXPECT_EQ(ClientBoundsFor(c.Outer, c.Frame), c.Client) << c.Outer;
        EXPECT_EQ(OuterBoundsFor(c.Client, c.Frame), c.Outer) << c.Client;
    }
    EXPECT_EQ(ClientBoundsFor({0, 0, 10, 10}, {8, 31, 8, 8}), (WindowBounds{8, 31, 1, 1}));
}

} // namespace

} // namespace varnok
