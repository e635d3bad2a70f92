#pragma once

#include <string_view>

#include "platform/canvastypes.h"

// The text services the grid needs, so layout and sizing run the same against Qt and
// against the deterministic canvas of the tests. Texts are Windows-1252 byte strings.
class TextCanvas {
public:
    virtual ~TextCanvas() = default;

    // Height of `text` laid out in `font` at `width` pixels: lines broken between words,
    // CR and LF honoured as line breaks, tabs expanded, "&" taken literally.
    [[nodiscard]] virtual int MeasureWrappedHeight(const TGridFont& font, std::string_view text,
                                                   int width) = 0;
    // Extent of one line of text (no wrapping).
    [[nodiscard]] virtual TextExtent MeasureLine(const TGridFont& font, std::string_view text) = 0;

    // Draws `text` wrapped into `rect`, top-left aligned, transparent background, clipped.
    virtual void DrawWrappedText(const TGridFont& font, TColor color, std::string_view text,
                                 const TextRect& rect) = 0;
    virtual void FillRect(const TextRect& rect, TColor color) = 0;
    virtual void DrawLine(int x1, int y1, int x2, int y2, TColor color) = 0;
};
