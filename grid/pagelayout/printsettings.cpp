#include "grid/pagelayout/printsettings.h"

#include "platform/pageprinter.h"

namespace varnok {

namespace {

constexpr int kPointsPerInch = 72;

} // namespace

int PrintFontHeight(int points)
{
    return points * PagePrinter::kTenthMmPerInch / kPointsPerInch; // truncated: 10 pt gives 35
}

TGridFont PrintCanvasFont(const TPrintFont& font)
{
    TGridFont canvasFont;
    canvasFont.Name = font.Name;
    canvasFont.Height = PrintFontHeight(font.Size);
    canvasFont.Bold = font.Bold;
    canvasFont.Italic = font.Italic;
    canvasFont.Underline = font.Underline;
    canvasFont.StrikeOut = font.StrikeOut;
    canvasFont.Color = font.Color;
    return canvasFont;
}

} // namespace varnok
