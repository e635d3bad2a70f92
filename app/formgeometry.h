#pragma once

namespace varnok {

// Plain arithmetic of the main window's layout, kept apart from the widgets so it can be
// checked without a screen.

struct GridBounds {
    int Left = 0;
    int Top = 0;
    int Right = 0;  // exclusive, as a window rectangle's right edge
    int Bottom = 0; // exclusive
};

struct ColumnWidths {
    int Number = 0;  // column 0
    int Address = 0; // column 1
    int Visit = 0;   // column 2
};

/** The grid keeps its left edge; its right margin equals that left margin, it starts 3 pixels below
 * the path box and ends one pixel above the client area's bottom. */
[[nodiscard]] GridBounds GridBoundsFor(int gridLeft, int pathBoxTop, int pathBoxHeight,
                                       int clientWidth, int clientHeight);

/** The number column keeps 65 pixels, the visit column 11 % of the grid width but never less than
 * `visitTimeWidth` (what a visit time needs to stay on one line), the address column the rest less
 * 20 pixels for the vertical scroll bar. The two fixed widths are those the grid actually took, so
 * a grid that clamps them still fills up correctly. */
[[nodiscard]] int VisitColumnWidthFor(int gridWidth, int visitTimeWidth);
inline constexpr int kNumberColumnWidth = 65;
inline constexpr int kScrollBarAllowance = 20;
[[nodiscard]] int AddressColumnWidthFor(int gridWidth, int numberWidth, int visitWidth);

/** Whether the resize rule sizes the columns (and they follow the grid's width) in a run
 * started in window state `winStateAtStart`: a window started maximized keeps the widths
 * restored from the settings file for the whole run, so its closing writes back what it read. */
[[nodiscard]] bool ColumnsFollowWindowSize(int winStateAtStart);

struct WindowBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Where the window comes up when the settings file holds nothing usable.
inline constexpr WindowBounds kDesignedWindowBounds{60, 111, 700, 470};
// Smaller than this, a window shows too little of itself to be worked with (or at all).
inline constexpr int kMinimumWindowWidth = 100;
inline constexpr int kMinimumWindowHeight = 100;

/** The stored bounds when their size is usable (at least the minimum, at most `available`), else
 * the designed bounds; then shrunk and moved as needed to lie within `available`, the screen area
 * windows may take. An empty `available` (no screen known) moves nothing. */
[[nodiscard]] WindowBounds UsableWindowBounds(const WindowBounds& stored,
                                              const WindowBounds& available);

// The thickness of the window manager's frame on each side of the client area; all 0
// where the window has no frame or the frame is not known yet.
struct FrameExtents {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

/** The settings hold the window's outer bounds, frame included, while the toolkit places the frame
 * but sizes the client area. The client size that gives a window of `outer` size in `frame`, at
 * least 1 x 1. */
[[nodiscard]] WindowBounds ClientBoundsFor(const WindowBounds& outer, const FrameExtents& frame);

/** The outer bounds of a window whose client area has `client` bounds inside `frame`. */
[[nodiscard]] WindowBounds OuterBoundsFor(const WindowBounds& client, const FrameExtents& frame);

/** Pixel height of a font of `points` at `dotsPerInch`, rounded as the system rounds it (8 pt at 96
 * dpi: 11). */
[[nodiscard]] int PointsToPixels(int points, int dotsPerInch);

/** Default row height for a font `pixelHeight` high: one and a half times it, truncated. */
[[nodiscard]] int DefaultRowHeightFor(int pixelHeight);

} // namespace varnok
