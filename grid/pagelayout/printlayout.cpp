#include "grid/pagelayout/printlayout.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "grid/pagelayout/pageslots.h"
#include "grid/pagelayout/printclock.h"
#include "grid/pagelayout/printcolumns.h"
#include "grid/pagelayout/printmetrics.h"
#include "grid/pagelayout/printrows.h"
#include "grid/table/basegrid.h"
#include "grid/table/griderror.h"
#include "platform/textcanvas.h"

namespace varnok {

namespace {

std::vector<PrintColumn> rangeColumns(const std::vector<int>& widths, int firstCol)
{
    std::vector<PrintColumn> columns;
    for (std::size_t i = 0; i < widths.size(); ++i)
        columns.push_back({firstCol + static_cast<int>(i), widths[i], 0});
    return columns;
}

// The fixed columns that lie in the range, which further pages across repeat.
int repeatedColumnCount(const TBaseGrid& grid, const TPrintSettings& settings,
                        const TGridRect& range)
{
    if (!settings.RepeatFixedCols)
        return 0;
    return std::max(0, std::min(grid.GetFixedColsEx(), range.Right + 1) - range.Left);
}

// A length in 0.1 mm as millimetres with one decimal, for messages.
std::string millimetres(int tenths)
{
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " mm";
}

// Paper cannot show more than it holds: a column wider than the page fails the print
// instead of coming out cut off.
void requireWholeColumns(const std::vector<ColumnPage>& pages, const ColumnPageRules& rules)
{
    const auto overflowing = std::find_if(pages.begin(), pages.end(),
                                          [](const ColumnPage& page) { return page.Overflows; });
    if (overflowing == pages.end())
        return;
    const PrintColumn& column = overflowing->Columns.front();
    throw EPrintLayoutError("Cannot print the list whole: column " + std::to_string(column.Col) +
                            " needs " + millimetres(column.Width + rules.Spacing) +
                            " across, and the page has room for " +
                            millimetres(std::max(rules.Room(), 0)) + ". Make the column narrower.");
}

// One run of the layout: the sizes it measures once, and the page it has reached.
class PageBuilder {
public:
    PageBuilder(TextCanvas& canvas, TPrintMethod method, int pageCount, const PrintJob& job,
                const std::function<void()>& newPage)
        : m_canvas(canvas), m_method(method), m_pageCount(pageCount), m_job(job),
          m_newPage(newPage), m_settings(job.Settings), m_range(job.State.Range),
          m_metrics(MeasurePrintMetrics(canvas, job.Settings, job.State.ScreenResolution)),
          m_widths(PrintColumnWidths(canvas, job.Grid, job.Settings, m_metrics, m_range)),
          m_painter(job.Grid, job.Settings, m_metrics, job.Colors)
    {
        const TextRect& area = job.State.PageArea;
        m_sizes.PageWidth = area.Right - area.Left;
        m_sizes.PageBottom = area.Bottom - area.Top;
        m_sizes.HeaderBand = HeaderBandHeight(m_settings, m_metrics);
        m_sizes.FooterBand = FooterBandHeight(m_settings, m_metrics);
        const int room = m_sizes.PageWidth - m_settings.LeftSize - m_settings.RightSize;
        FitColumnWidths(m_widths, m_settings.FitToPage, room, m_metrics.Spacing);
        ApplyColumnWidthRules(m_widths, canvas, m_settings, m_metrics, m_range.Left, room);
        if (isDrawing())
            m_now = job.Clock.Now();
    }

    int Run()
    {
        if (m_range.Right < m_range.Left || m_range.Bottom < m_range.Top)
            return 0;
        const ColumnPageRules rules{
            m_range.Left,        repeatedColumnCount(m_job.Grid, m_settings, m_range),
            m_metrics.Spacing,   m_sizes.PageWidth,
            m_settings.LeftSize, m_settings.RightSize,
            m_settings.Centered};
        PrintRowHeights heights(m_job.Grid, m_settings, m_metrics,
                                rangeColumns(m_widths, m_range.Left));
        const std::vector<ColumnPage> columnPages = SplitColumnPages(m_widths, rules);
        if (m_method == prPrint || m_method == prCalcPrint)
            requireWholeColumns(columnPages, rules);
        PageStart start{0, m_range.Top};
        if (const std::optional<PageStart> known = knownStart(columnPages.size())) {
            start = *known;
            m_page = m_job.State.FromPage - 1;
        } else if (!isDrawing() && m_job.Starts != nullptr) {
            m_job.Starts->clear();
        }
        for (auto index = static_cast<std::size_t>(start.ColumnPage);
             index < columnPages.size() && !m_finished; ++index) {
            int row = static_cast<int>(index) == start.ColumnPage ? start.FirstRow : m_range.Top;
            while (row <= m_range.Bottom && !m_finished) {
                if (!isDrawing() && m_job.Starts != nullptr)
                    m_job.Starts->push_back({static_cast<int>(index), row});
                row = layOutRowPage(columnPages[index], heights, row);
            }
        }
        return m_page;
    }

private:
    [[nodiscard]] bool isDrawing() const { return m_method == prPrint || m_method == prPreview; }

    // Where the first page to draw begins, when an earlier count recorded it.
    [[nodiscard]] std::optional<PageStart> knownStart(std::size_t columnPages) const
    {
        const int from = m_job.State.FromPage;
        if (!isDrawing() || m_job.Starts == nullptr || from < 1 ||
            static_cast<std::size_t>(from) > m_job.Starts->size())
            return std::nullopt;
        const PageStart start = (*m_job.Starts)[static_cast<std::size_t>(from - 1)];
        if (start.ColumnPage < 0 || static_cast<std::size_t>(start.ColumnPage) >= columnPages ||
            start.FirstRow < m_range.Top || start.FirstRow > m_range.Bottom)
            return std::nullopt;
        return start;
    }

    // Lays out one page from `firstRow` on; returns the first row of the next page.
    int layOutRowPage(const ColumnPage& columns, PrintRowHeights& heights, int firstRow)
    {
        ++m_page;
        const TPrintState& state = m_job.State;
        m_drawPage = isDrawing() && m_page >= state.FromPage && m_page <= state.ToPage;
        if (m_drawPage)
            startPage();
        const int top = m_sizes.HeaderBand + m_settings.TitleSpacing;
        int y = top;
        const int fixedRows = m_job.Grid.GetFixedRowsEx();
        if (m_settings.RepeatFixedRows && firstRow >= fixedRows) {
            for (int fixedRow = 0; fixedRow < fixedRows; ++fixedRow)
                y = placeRow(columns, fixedRow, y, heights.Height(m_canvas, fixedRow));
        }
        int row = firstRow;
        const int tableBottom = m_sizes.PageBottom - m_sizes.FooterBand;
        // The first row of a page always goes on it, however tall, so every page moves on.
        do {
            y = placeRow(columns, row, y, heights.Height(m_canvas, row));
            ++row;
        } while (row <= m_range.Bottom && tableBottom - y >= heights.Height(m_canvas, row));
        if (m_drawPage)
            m_painter.DrawPageFrame(m_canvas, blockOf(columns, top, y));
        m_finished = isDrawing() && m_page >= state.ToPage;
        return row;
    }

    void startPage()
    {
        if (m_drawnPages++ > 0 && m_newPage)
            m_newPage();
        const PageSlots slots =
            FillPageSlots(m_settings, m_now, m_page, m_pageCount, m_job.Grid.EnableHTML());
        DrawPageSlots(m_canvas, slots, m_settings, m_metrics, m_sizes, m_job.Colors.Anchor);
    }

    // Draws `row` at `y` when the page is drawn; returns the y below it. A row reaching into
    // the footer band is cut off at the band and loses its lower border.
    int placeRow(const ColumnPage& columns, int row, int y, int height)
    {
        const int tableBottom = m_sizes.PageBottom - m_sizes.FooterBand;
        const bool cut = y + height > tableBottom;
        const int bottom = cut ? std::max(y, tableBottom) : y + height;
        if (m_drawPage && bottom > y) {
            const int right = columns.Right(m_metrics.Spacing);
            for (const PrintColumn& column : columns.Fixed)
                drawCell(column, row, {y, bottom}, right, cut);
            for (const PrintColumn& column : columns.Columns)
                drawCell(column, row, {y, bottom}, right, cut);
        }
        return bottom;
    }

    struct RowSpan {
        int Top;
        int Bottom;
    };

    void drawCell(const PrintColumn& column, int row, RowSpan span, int pageRight, bool cut)
    {
        const int right = std::min(column.X + column.Width + m_metrics.Spacing, pageRight);
        m_painter.DrawCell(m_canvas, column.Col, row, {column.X, span.Top, right, span.Bottom},
                           cut);
    }

    [[nodiscard]] PrintedBlock blockOf(const ColumnPage& columns, int top, int bottom) const
    {
        PrintedBlock block{columns.Left(), columns.Right(m_metrics.Spacing), top, bottom, {}};
        for (const PrintColumn& column : columns.Fixed)
            block.FixedColumnLefts.push_back(column.X);
        return block;
    }

    TextCanvas& m_canvas;
    TPrintMethod m_method;
    int m_pageCount;
    const PrintJob& m_job;
    const std::function<void()>& m_newPage;
    const TPrintSettings& m_settings;
    TGridRect m_range;
    PrintMetrics m_metrics;
    std::vector<int> m_widths;
    PrintCellPainter m_painter;
    PageFrameSizes m_sizes;
    TPrintTime m_now;
    int m_page = 0;
    int m_drawnPages = 0;
    bool m_drawPage = false;
    bool m_finished = false;
};

} // namespace

int BuildPages(TextCanvas& canvas, TPrintMethod method, int pageCount, const PrintJob& job,
               const std::function<void()>& newPage)
{
    return PageBuilder(canvas, method, pageCount, job, newPage).Run();
}

} // namespace varnok
