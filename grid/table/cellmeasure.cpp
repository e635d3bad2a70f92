#include "grid/table/cellmeasure.h"

#include <algorithm>

#include "grid/markup/richtextplaintext.h"
#include "grid/markup/texttype.h"
#include "grid/table/markupmeasure.h"
#include "platform/textcanvas.h"

namespace varnok {

int MeasureCellHeight(TextCanvas& canvas, const TGridFont& font, std::string_view text, int width,
                      bool enableHTML)
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

int MeasureCellWidth(TextCanvas& canvas, const TGridFont& font, std::string_view text,
                     bool enableHTML)
{
    switch (TextType(text, enableHTML)) {
    case ttMarkup:
        return MeasureMarkupWidth(canvas, font, text);
    case ttRichText:
        return MeasureWidestLine(canvas, font, RichTextPlainText(text));
    case ttFormula: // shown as the text it is
    case ttPlain:
        break;
    }
    return MeasureWidestLine(canvas, font, text);
}

int MeasureWidestLine(TextCanvas& canvas, const TGridFont& font, std::string_view text)
{
    int widest = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        widest = std::max(widest, canvas.MeasureLine(font, text.substr(0, end)).Width);
        std::size_t next = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++next;
        text.remove_prefix(std::min(next, text.size()));
    }
    return widest;
}

} // namespace varnok
