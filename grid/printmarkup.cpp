#include "grid/printmarkup.h"

#include <algorithm>
#include <string>

#include "grid/markupplaintext.h"
#include "platform/textcanvas.h"

// Until the markup layout engine is wired in, a markup text prints as its plain-text form,
// which gives the same lines for the address anchors the grid holds.

int PrintMarkupHeight(TextCanvas& canvas, const TGridFont& font, std::string_view text, int width) {
    return canvas.MeasureWrappedHeight(font, MarkupPlainText(text), width);
}

int PrintMarkupWidth(TextCanvas& canvas, const TGridFont& font, std::string_view text) {
    return canvas.MeasureLine(font, MarkupPlainText(text)).Width;
}

void DrawPrintMarkup(TextCanvas& canvas, const TGridFont& font, TColor /*anchorColor*/,
                     std::string_view text, const TextRect& rect) {
    const std::string shown = MarkupPlainText(text);
    if (!shown.empty())
        canvas.DrawWrappedText(font, font.Color, shown, rect);
}
