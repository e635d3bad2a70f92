#include "grid/pagelayout/printmarkup.h"

#include "grid/markup/markuplayout.h"

namespace varnok {

void DrawPrintMarkup(TextCanvas& canvas, const TGridFont& font, TColor anchorColor,
                     std::string_view text, const TextRect& rect)
{
    MarkupRequest request;
    request.Font = font;
    request.AnchorColor = anchorColor;
    request.Area = rect;
    request.BreakLongRuns = true;
    static_cast<void>(DrawMarkup(canvas, text, request));
}

} // namespace varnok
