#include "grid/markupmeasure.h"

#include "grid/gridrenderer.h"
#include "grid/markuplayout.h"

int MeasureMarkupHeight(TextCanvas& canvas, const TGridFont& font, std::string_view text,
                        int columnWidth)
{
    return MeasureMarkup(canvas, font, text, columnWidth - GridRenderer::kTextOffset).Height;
}

int MeasureMarkupWidth(TextCanvas& canvas, const TGridFont& font, std::string_view text)
{
    return MeasureMarkup(canvas, font, text, kMarkupMeasureBox).Width;
}
