#include "grid/markupmeasure.h"

#include "grid/cellmeasure.h"
#include "grid/markupplaintext.h"
#include "platform/textcanvas.h"

int MeasureMarkupHeight(TextCanvas& canvas, const TGridFont& font, std::string_view text, int width)
{
    return canvas.MeasureWrappedHeight(font, MarkupPlainText(text), width);
}

int MeasureMarkupWidth(TextCanvas& canvas, const TGridFont& font, std::string_view text)
{
    return MeasureWidestLine(canvas, font, MarkupPlainText(text));
}
