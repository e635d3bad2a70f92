#include <algorithm>
#include <cmath>

#include "grid/pagelayout/printlayout.h"
#include "grid/pagelayout/printmetrics.h"
#include "grid/resultgrid.h"
#include "platform/pageprinter.h"
#include "platform/textcanvas.h"

// The print operations of the result grid; the layout itself is BuildPages.

namespace {

int toTenthMm(int pixels, int resolution)
{
    return resolution > 0
               ? static_cast<int>(std::lround(static_cast<double>(PagePrinter::kTenthMmPerInch) *
                                              pixels / resolution))
               : 0;
}

int clampTo(int value, int last)
{
    return std::clamp(value, 0, std::max(last, 0));
}

} // namespace

TResultGrid::TResultGrid() : m_printClock(std::make_unique<SystemPrintClock>()) {}

TResultGrid::~TResultGrid() = default;

void TResultGrid::SetPrintClock(std::unique_ptr<PrintClock> clock)
{
    if (clock)
        m_printClock = std::move(clock);
}

void TResultGrid::Print(PagePrinter& printer)
{
    PrintRect({0, 0, GetColCountEx() - 1, GetRowCountEx() - 1}, printer);
}

void TResultGrid::PrintRect(const TGridRect& range, PagePrinter& printer)
{
    const int lastCol = GetColCountEx() - 1;
    const int lastRow = GetRowCountEx() - 1;
    PrintState.Range = {clampTo(std::min(range.Left, range.Right), lastCol),
                        clampTo(std::min(range.Top, range.Bottom), lastRow),
                        clampTo(std::max(range.Left, range.Right), lastCol),
                        clampTo(std::max(range.Top, range.Bottom), lastRow)};
    printer.SetOrientation(PrintSettings.Orientation);
    PrintState.PageArea = {0, 0, toTenthMm(printer.PageWidth(), printer.ResolutionX()),
                           toTenthMm(printer.PageHeight(), printer.ResolutionY())};
    if (!printer.BeginDoc(PrintSettings.JobName))
        throw EGridError("The printer could not start the document");
    // Pages are counted on the printer's own canvas, so the count and the numbers in the
    // footers are those of the paper.
    TextCanvas& canvas = printer.Canvas();
    const int count = PrintState.PreviewFast ? 1 : BuildPages(canvas, prCalcPrint, 0);
    PrintState.PageCount = count;
    PrintState.FromPage = 1;
    PrintState.ToPage = count;
    static_cast<void>(BuildPages(canvas, prPrint, count, &printer));
    if (!printer.EndDoc())
        throw EGridError("The printer could not finish the document");
}

void TResultGrid::PrintPreview(TextCanvas& canvas, const TextRect& rect)
{
    PrintState.Range = {0, 0, GetColCountEx() - 1, GetRowCountEx() - 1};
    const int resolution = PrintState.ScreenResolution;
    PrintState.PageArea = {0, 0, toTenthMm(rect.Right - rect.Left, resolution),
                           toTenthMm(rect.Bottom - rect.Top, resolution)};
    if (!PrintState.PreviewFast)
        PrintState.PageCount = std::max(BuildPages(canvas, prCalcPreview, 0), 1);
    static_cast<void>(BuildPages(canvas, prPreview, PrintState.PageCount));
}

void TResultGrid::SetPreviewPage(int page)
{
    PrintState.FromPage = page;
    PrintState.ToPage = page;
}

int TResultGrid::BuildPages(TextCanvas& canvas, TPrintMethod method, int pageCount,
                            PagePrinter* printer)
{
    const PrintJob job{*this, PrintSettings, PrintState, *m_printClock, {Color, URLColor}};
    std::function<void()> newPage;
    if (printer != nullptr)
        newPage = [printer] { printer->NewPage(); };
    return ::BuildPages(canvas, method, pageCount, job, newPage);
}
