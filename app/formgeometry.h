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

/** Pixel height of a font of `points` at `dotsPerInch`, rounded as the system rounds it (8 pt at 96 dpi: 11). */
[[nodiscard]] int PointsToPixels(int points, int dotsPerInch);

/** Default row height for a font `pixelHeight` high: one and a half times it, truncated. */
[[nodiscard]] int DefaultRowHeightFor(int pixelHeight);
