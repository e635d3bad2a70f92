#include "grid/pagelayout/printmetrics.h"

#include "platform/pageprinter.h"
#include "platform/textcanvas.h"

namespace varnok {

namespace {

constexpr int kAlwaysAddedSpacing = 20;
constexpr int kDoubleBorderWidth = 10;
constexpr int kBorderWidth = 2;

} // namespace

PrintMetrics MeasurePrintMetrics(TextCanvas& canvas, const TPrintSettings& settings,
                                 int screenResolution)
{
    PrintMetrics metrics;
    metrics.TableFont = PrintCanvasFont(settings.Font);
    metrics.HeaderFont = PrintCanvasFont(settings.HeaderFont);
    metrics.FooterFont = PrintCanvasFont(settings.FooterFont);
    metrics.TableLineHeight = canvas.MeasureLine(metrics.TableFont, "gh").Height;
    metrics.TableCharWidth = canvas.MeasureLine(metrics.TableFont, "a").Width;
    metrics.HeaderLineHeight = canvas.MeasureLine(metrics.HeaderFont, "gh").Height;
    metrics.FooterLineHeight = canvas.MeasureLine(metrics.FooterFont, "gh").Height;
    metrics.Pad = metrics.TableLineHeight / 8;
    metrics.PixelSize = static_cast<double>(PagePrinter::kTenthMmPerInch) /
                        (screenResolution > 0 ? screenResolution : 96);
    metrics.Spacing = settings.UseFixedWidth ? 0 : settings.ColumnSpacing + kAlwaysAddedSpacing;
    metrics.Pen = TPen{clBlack, settings.BorderStyle,
                       settings.Borders == pbDouble ? kDoubleBorderWidth : kBorderWidth};
    return metrics;
}

} // namespace varnok
