#pragma once

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

// The grid keeps its left edge; its right margin equals that left margin, it starts 3 pixels
// below the path box and ends one pixel above the client area's bottom.
[[nodiscard]] GridBounds GridBoundsFor(int gridLeft, int pathBoxTop, int pathBoxHeight,
                                       int clientWidth, int clientHeight);

// The number column keeps 65 pixels, the visit column 11 % of the grid width, the address
// column the rest less 20 pixels for the vertical scroll bar. The two fixed widths are
// those the grid actually took, so a grid that clamps them still fills up correctly.
[[nodiscard]] int VisitColumnWidthFor(int gridWidth);
inline constexpr int kNumberColumnWidth = 65;
inline constexpr int kScrollBarAllowance = 20;
[[nodiscard]] int AddressColumnWidthFor(int gridWidth, int numberWidth, int visitWidth);

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

// The stored bounds when their size is usable (at least the minimum, at most `available`),
// else the designed bounds; then shrunk and moved as needed to lie within `available`, the
// screen area windows may take. An empty `available` (no screen known) moves nothing.
[[nodiscard]] WindowBounds UsableWindowBounds(const WindowBounds& stored,
                                              const WindowBounds& available);

/** Pixel height of a font of `points` at `dotsPerInch`, rounded as the system rounds it (8 pt at 96
 * dpi: 11). */
[[nodiscard]] int PointsToPixels(int points, int dotsPerInch);

/** Default row height for a font `pixelHeight` high: one and a half times it, truncated. */
[[nodiscard]] int DefaultRowHeightFor(int pixelHeight);
