#include "app/formgeometry.h"

#include <algorithm>
#include <cstdint>

#include "app/settings.h"

namespace varnok {

GridBounds GridBoundsFor(int gridLeft, int pathBoxTop, int pathBoxHeight, int clientWidth,
                         int clientHeight)
{
    return {gridLeft, pathBoxTop + pathBoxHeight + 3, clientWidth - gridLeft, clientHeight - 1};
}

int VisitColumnWidthFor(int gridWidth, int visitTimeWidth)
{
    // 11 % in integers: the same truncation toward zero as 0.11 * w without its rounding noise.
    return std::max(gridWidth * 11 / 100, visitTimeWidth);
}

int AddressColumnWidthFor(int gridWidth, int numberWidth, int visitWidth)
{
    return gridWidth - numberWidth - visitWidth - kScrollBarAllowance;
}

bool ColumnsFollowWindowSize(int winStateAtStart)
{
    return winStateAtStart != kWinStateMaximized;
}

WindowBounds ClientBoundsFor(const WindowBounds& outer, const FrameExtents& frame)
{
    return {outer.Left + frame.Left, outer.Top + frame.Top,
            std::max(1, outer.Width - frame.Left - frame.Right),
            std::max(1, outer.Height - frame.Top - frame.Bottom)};
}

WindowBounds OuterBoundsFor(const WindowBounds& client, const FrameExtents& frame)
{
    return {client.Left - frame.Left, client.Top - frame.Top,
            client.Width + frame.Left + frame.Right, client.Height + frame.Top + frame.Bottom};
}

int PointsToPixels(int points, int dotsPerInch)
{
    // Multiply, then divide with rounding to nearest, away from zero on halves.
    const std::int64_t product = static_cast<std::int64_t>(points) * dotsPerInch;
    const std::int64_t rounded = product >= 0 ? (product + 36) / 72 : (product - 36) / 72;
    return static_cast<int>(rounded);
}

int DefaultRowHeightFor(int pixelHeight)
{
    return pixelHeight * 3 / 2;
}

WindowBounds UsableWindowBounds(const WindowBounds& stored, const WindowBounds& available)
{
    const bool screenKnown = available.Width > 0 && available.Height > 0;
    const bool fits =
        !screenKnown || (stored.Width <= available.Width && stored.Height <= available.Height);
    const bool usable =
        stored.Width >= kMinimumWindowWidth && stored.Height >= kMinimumWindowHeight && fits;
    WindowBounds bounds = usable ? stored : kDesignedWindowBounds;
    if (!screenKnown)
        return bounds;
    // A screen smaller than the designed window gets a window as large as the screen.
    bounds.Width = std::min(bounds.Width, available.Width);
    bounds.Height = std::min(bounds.Height, available.Height);
    bounds.Left =
        std::clamp(bounds.Left, available.Left, available.Left + available.Width - bounds.Width);
    bounds.Top =
        std::clamp(bounds.Top, available.Top, available.Top + available.Height - bounds.Height);
    return bounds;
}

} // namespace varnok
