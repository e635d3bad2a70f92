#pragma once

#include <string_view>

#include "platform/canvastypes.h"

namespace varnok {

// How a one-line text run is drawn beyond its font.
struct TextRunOptions {
    // "&&" shows one "&"; a single "&" is not shown and underlines the character after it.
    bool Prefix = false;
    // Filled behind the run's extent; kNoColor leaves the background as it is.
    TColor Background = kNoColor;
};

// The drawing services the grid, its markup cells and its printed pages need, so layout and
// sizing run the same against Qt and against the deterministic canvas of the tests. Texts
// are Windows-1252 byte strings. Every length, font heights included, is in the canvas's
// own units: pixels on screen, whatever the page layout maps its canvas to on paper.
class TextCanvas {
public:
    virtual ~TextCanvas() = default;

    /** Canvas units per inch, to turn point sizes into font heights. */
    [[nodiscard]] virtual int UnitsPerInch() const = 0;

    /** Height of `text` laid out in `font` at `width` units: lines broken between words, CR and LF
     * honoured as line breaks, tabs expanded, "&" taken literally. */
    [[nodiscard]] virtual int MeasureWrappedHeight(const TGridFont& font, std::string_view text,
                                                   int width) = 0;
    /** Extent of one line of text (no wrapping). */
    [[nodiscard]] virtual TextExtent MeasureLine(const TGridFont& font, std::string_view text) = 0;

    /** Draws `text` wrapped into `rect`, top-left aligned, transparent background, clipped. */
    virtual void DrawWrappedText(const TGridFont& font, TColor color, std::string_view text,
                                 const TextRect& rect) = 0;

    /** Extent of a one-line run as DrawTextRun draws it: tabs expanded, line spacing as height. */
    [[nodiscard]] virtual TextExtent MeasureTextRun(const TGridFont& font, std::string_view text,
                                                    bool prefix) = 0;
    /** Draws a one-line run in `font` and its colour with its top-left corner at (x, y), clipped
     * to `clip`. */
    virtual void DrawTextRun(const TGridFont& font, std::string_view text,
                             const TextRunOptions& options, int x, int y, const TextRect& clip) = 0;

    virtual void FillRect(const TextRect& rect, TColor color) = 0;
    /** A line from (x1, y1) to (x2, y2), both ends included. */
    virtual void DrawLine(int x1, int y1, int x2, int y2, const TPen& pen) = 0;
    /** A solid line of the thinnest width. */
    void DrawLine(int x1, int y1, int x2, int y2, TColor color)
    {
        DrawLine(x1, y1, x2, y2, TPen{color, psSolid, 0});
    }
    /** The outline of `rect`: lines along its left, top, right and bottom edges. */
    virtual void FrameRect(const TextRect& rect, const TPen& pen) = 0;
};

} // namespace varnok
