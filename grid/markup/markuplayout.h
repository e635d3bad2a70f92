#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/canvastypes.h"

namespace varnok {

class TextCanvas;

struct MarkupPoint {
    int X = 0;
    int Y = 0;
};

// One call of the markup layout: where and how a markup text is laid out.
struct MarkupRequest {
    TGridFont Font;         // the font the text starts in; Font.Color is the text colour
    TColor AnchorColor = 0; // colour of anchor text
    TextRect Area;          // lines start 1 unit right of Area.Left, at Area.Top
    bool MeasureOnly = false;
    std::optional<MarkupPoint> Pointer; // asks whether this point lies on an anchor
    bool WordWrap = true;
    // A run too wide for the rest of its line breaks after the characters that fit instead
    // of running past the area's edge: on paper, what passes the edge is lost.
    bool BreakLongRuns = false;
};

struct MarkupResult {
    int Width = 0;  // from Area.Left to the end of the widest line
    int Height = 0; // from Area.Top to the bottom of the last line
    bool AnchorHit = false;
    std::string AnchorTarget; // the hit anchor's target as the tag writes it
};

/** Lays out a markup text (tags, entities, lines broken at blanks) in `request.Area` and, unless
 * measuring only, draws it there clipped to the area; text below the area's bottom is dropped. The
 * same layout measures and hit-tests anchors. */
[[nodiscard]] MarkupResult DrawMarkup(TextCanvas& canvas, std::string_view text,
                                      const MarkupRequest& request);

// Markup texts are measured in a box this high, so no line is dropped.
inline constexpr int kMarkupMeasureBox = 65535;

/**
 * Lays out a markup text in `font` without drawing it, in a box `width` wide and
 * kMarkupMeasureBox high, for sizing rows, columns and printed cells (which break long runs).
 */
[[nodiscard]] MarkupResult MeasureMarkup(TextCanvas& canvas, const TGridFont& font,
                                         std::string_view text, int width,
                                         bool breakLongRuns = false);

} // namespace varnok
