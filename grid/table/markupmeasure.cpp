#include "grid/table/markupmeasure.h"

#include "grid/markup/markuplayout.h"
#include "grid/table/gridrenderer.h"

namespace varnok {

int MeasureMarkupHeight(TextCanvas& canvas, const TGridFont& font, std::string_view text,
                        int columnWidth)
{
    return MeasureMarkup(canvas, font, text, columnWidth - GridRenderer::kTextOffset).Height;
}

int MeasureMarkupWidth(TextCanvas& canvas, const TGridFont& font, std::string_view text)
{
    return MeasureMarkup(canvas, font, text, kMarkupMeasureBox).Width;
}

} // namespace varnok
