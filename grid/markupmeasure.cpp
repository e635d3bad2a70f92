#include "grid/markupmeasure.h"

#include "grid/gridrenderer.h"
#include "grid/markuplayout.h"

namespace {

constexpr int kMeasureBox = 65535;

MarkupResult measure(TextCanvas& canvas, const TGridFont& font, std::string_view text, int width)
{
    MarkupRequest request;
    request.Font = font;
    request.Area = {0, 0, width, kMeasureBox};
    request.MeasureOnly = true;
    return DrawMarkup(canvas, text, request);
}

} // namespace

int MeasureMarkupHeight(TextCanvas& canvas, const TGridFont& font, std::string_view text,
                        int columnWidth)
{
    return measure(canvas, font, text, columnWidth - GridRenderer::kTextOffset).Height;
}

int MeasureMarkupWidth(TextCanvas& canvas, const TGridFont& font, std::string_view text)
{
    return measure(canvas, font, text, kMeasureBox).Width;
}
