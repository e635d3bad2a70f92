#include "grid/cellmeasure.h"

#include "grid/markupmeasure.h"
#include "grid/richtextplaintext.h"
#include "grid/texttype.h"
#include "platform/textcanvas.h"

int MeasureCellHeight(TextCanvas& canvas, const TGridFont& font, std::string_view text,
                      int width, bool enableHTML)
{
    switch (TextType(text, enableHTML)) {
    case ttFormula:
        return 0;
    case ttMarkup:
        return MeasureMarkupHeight(canvas, font, text, width);
    case ttRichText:
        return canvas.MeasureWrappedHeight(font, RichTextPlainText(text), width);
    case ttPlain:
        break;
    }
    return canvas.MeasureWrappedHeight(font, text, width);
}
