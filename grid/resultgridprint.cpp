#include <algorithm>
#include <cmath>

#include "grid/pagelayout/printlayout.h"
#include "grid/pagelayout/printmetrics.h"
#include "grid/resultgrid.h"
#include "platform/pageprinter.h"
#include "platform/textcanvas.h"

namespace varnok {

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

void TResultGrid::Print(PagePrinter& printer, TPageRange pages)
{
    PrintRect({0, 0, GetColCountEx() - 1, GetRowCountEx() - 1}, printer, pages);
}

TextRect TResultGrid::PreparePaper(PagePrinter& printer) const
{
    printer.SetOrientation(PrintSettings.Orientation);
    return {0, 0, toTenthMm(printer.PageWidth(), printer.ResolutionX()),
            toTenthMm(printer.PageHeight(), printer.ResolutionY())};
}

// `range` with its corners in order and within the grid.
TGridRect TResultGrid::printableRange(const TGridRect& range) const
{
    const int lastCol = GetColCountEx() - 1;
    const int lastRow = GetRowCountEx() - 1;
    return {clampTo(std::min(range.Left, range.Right), lastCol),
            clampTo(std::min(range.Top, range.Bottom), lastRow),
            clampTo(std::max(range.Left, range.Right), lastCol),
            clampTo(std::max(range.Top, range.Bottom), lastRow)};
}

void TResultGrid::PrintRect(const TGridRect& range, PagePrinter& printer, TPageRange pages)
{
    PrintState.Range = printableRange(range);
    PrintState.PageArea = PreparePaper(printer);
    if (!printer.BeginDoc(PrintSettings.JobName))
        throw EGridError("The printer could not start the document");
    // Pages are counted on the printer's own canvas, so the count and the numbers in the
    // footers are those of the paper; where each page begins is kept, so a range of pages
    // starts without laying out the pages before it again.
    TextCanvas& canvas = printer.Canvas();
    std::vector<PageStart> starts;
    const int count = PrintState.PreviewFast ? 1 : BuildPages(canvas, prCalcPrint, 0, {}, &starts);
    PrintState.PageCount = count;
    const int first = pages.From > 0 ? std::min(pages.From, count) : 1;
    const int last = pages.To > 0 ? std::min(pages.To, count) : count;
    PrintState.FromPage = std::min(first, last);
    PrintState.ToPage = std::max(first, last);
    static_cast<void>(BuildPages(canvas, prPrint, count, &printer, &starts));
    if (!printer.EndDoc())
        throw EGridError("The printer could not finish the document");
}

int TResultGrid::CountPages(TextCanvas& canvas, const TGridRect& range, const TextRect& pageArea)
{
    PrintState.Range = printableRange(range);
    PrintState.PageArea = pageArea;
    return BuildPages(canvas, prCalcPrint, 0);
}

TResultGrid::PreviewLayout TResultGrid::previewLayout() const
{
    const TextRect& area = PrintState.PageArea;
    PreviewLayout layout{PrintSettings,
                         PrintState.Range,
                         {area.Left, area.Top, area.Right, area.Bottom},
                         {},
                         PrintState.ScreenResolution};
    for (int col = 0; col < GetColCountEx(); ++col)
        layout.ColWidths.push_back(ColWidth(col));
    return layout;
}

void TResultGrid::PrintPreview(TextCanvas& canvas, const TextRect& pageArea)
{
    PrintState.Range = {0, 0, GetColCountEx() - 1, GetRowCountEx() - 1};
    PrintState.PageArea = pageArea;
    PreviewLayout layout = previewLayout();
    if (!(layout == m_previewLayout)) {
        m_previewLayout = std::move(layout);
        m_previewStarts.clear();
    }
    if (!PrintState.PreviewFast) {
        if (m_previewStarts.empty())
            static_cast<void>(BuildPages(canvas, prCalcPreview, 0, {}, &m_previewStarts));
        PrintState.PageCount = std::max(static_cast<int>(m_previewStarts.size()), 1);
    }
    static_cast<void>(BuildPages(canvas, prPreview, PrintState.PageCount, {}, &m_previewStarts));
}

void TResultGrid::ForgetPreviewPages()
{
    m_previewStarts.clear();
}

void TResultGrid::SetPreviewPage(int page)
{
    PrintState.FromPage = page;
    PrintState.ToPage = page;
}

int TResultGrid::BuildPages(TextCanvas& canvas, TPrintMethod method, int pageCount,
                            PagePrinter* printer, std::vector<PageStart>* starts)
{
    const PrintJob job{*this,         PrintSettings,       PrintState,
                       *m_printClock, {Color, URLColor()}, starts};
    std::function<void()> newPage;
    if (printer != nullptr)
        newPage = [printer] { printer->NewPage(); };
    return varnok::BuildPages(canvas, method, pageCount, job, newPage);
}

} // namespace varnok
