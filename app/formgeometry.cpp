#include "app/formgeometry.h"

#include <algorithm>
#include <cstdint>

GridBounds GridBoundsFor(int gridLeft, int pathBoxTop, int pathBoxHeight, int clientWidth,
                         int clientHeight)
{
    return {gridLeft, pathBoxTop + pathBoxHeight + 3, clientWidth - gridLeft, clientHeight - 1};
}

int VisitColumnWidthFor(int gridWidth)
{
    // 11 % in integers: the same truncation toward zero as 0.11 * w without its rounding noise.
    return gridWidth * 11 / 100;
}

int AddressColumnWidthFor(int gridWidth, int numberWidth, int visitWidth)
{
    return gridWidth - numberWidth - visitWidth - kScrollBarAllowance;
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
