#include "grid/printmarkup.h"

#include "grid/markuplayout.h"

namespace {

// Markup is measured in a box this high, so no line is dropped.
constexpr int kMeasureBox = 65535;

MarkupRequest requestFor(const TGridFont& font, const TextRect& area, bool measureOnly)
{
    MarkupRequest request;
    request.Font = font;
    request.Area = area;
    request.MeasureOnly = measureOnly;
    return request;
}

} // namespace

int PrintMarkupHeight(TextCanvas& canvas, const TGridFont& font, std::string_view text, int width)
{
    return DrawMarkup(canvas, text, requestFor(font, {0, 0, width, kMeasureBox}, true)).Height;
}

void DrawPrintMarkup(TextCanvas& canvas, const TGridFont& font, TColor anchorColor,
                     std::string_view text, const TextRect& rect)
{
    MarkupRequest request = requestFor(font, rect, false);
    request.AnchorColor = anchorColor;
    static_cast<void>(DrawMarkup(canvas, text, request));
}
