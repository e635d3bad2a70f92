#include "grid/pagelayout/printcolumns.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "grid/pagelayout/printmetrics.h"
#include "grid/table/basegrid.h"
#include "grid/table/cellmeasure.h"
#include "platform/textcanvas.h"

namespace varnok {

namespace {

// The screen keeps this many pixels of a column for its grid line and text margins.
constexpr int kScreenColumnMargin = 4;

// A column that takes the rest of the page gets at least this much (2 cm), or its own width.
constexpr int kNarrowestFillWidth = 200;

// An empty cell counts as "gh".
int cellWidth(TextCanvas& canvas, const TBaseGrid& grid, const TGridFont& font, int col, int row)
{
    const std::string_view text = grid.GetCellEx(col, row);
    return MeasureCellWidth(canvas, font, text.empty() ? std::string_view("gh") : text,
                            grid.EnableHTML());
}

int widestCell(TextCanvas& canvas, const TBaseGrid& grid, const PrintMetrics& metrics, int col,
               const TGridRect& range)
{
    int widest = 0;
    for (int row = range.Top; row <= range.Bottom; ++row)
        widest = std::max(widest, cellWidth(canvas, grid, metrics.TableFont, col, row));
    return widest;
}

int sumWithSpacing(const std::vector<PrintColumn>& columns, int spacing)
{
    int sum = 0;
    for (const PrintColumn& column : columns)
        sum += column.Width + spacing;
    return sum;
}

// Places `columns` one after the other from `x`.
int placeFrom(std::vector<PrintColumn>& columns, int x, int spacing)
{
    for (PrintColumn& column : columns) {
        column.X = x;
        x += column.Width + spacing;
    }
    return x;
}

void shiftAll(ColumnPage& page, int dx)
{
    for (PrintColumn& column : page.Fixed)
        column.X += dx;
    for (PrintColumn& column : page.Columns)
        column.X += dx;
}

} // namespace

int ColumnPage::Left() const
{
    if (!Fixed.empty())
        return Fixed.front().X;
    return Columns.empty() ? 0 : Columns.front().X;
}

int ColumnPage::Right(int spacing) const
{
    const std::vector<PrintColumn>& last = Columns.empty() ? Fixed : Columns;
    return last.empty() ? 0 : last.back().X + last.back().Width + spacing;
}

std::vector<int> PrintColumnWidths(TextCanvas& canvas, const TBaseGrid& grid,
                                   const TPrintSettings& settings, const PrintMetrics& metrics,
                                   const TGridRect& range)
{
    std::vector<int> widths;
    for (int col = range.Left; col <= range.Right; ++col) {
        int width = 0;
        if (settings.UseFixedWidth)
            width = settings.FixedWidth;
        else if (settings.NoAutoSize)
            width = static_cast<int>(
                std::lround((grid.ColWidth(col) - kScreenColumnMargin) * metrics.PixelSize));
        else
            width = widestCell(canvas, grid, metrics, col, range);
        // A hidden or hostile screen width must not run the columns backwards.
        widths.push_back(std::max(width, 0));
    }
    return widths;
}

void FitColumnWidths(std::vector<int>& widths, TFitToPage fit, int room, int spacing)
{
    if (fit != fpGrow && fit != fpShrink && fit != fpAlways)
        return;
    double total = 0;
    for (const int width : widths)
        total += width;
    if (total == 0)
        return;
    const double factor = (room - static_cast<double>(widths.size()) * spacing) / total;
    const bool applies =
        fit == fpAlways || (fit == fpShrink && factor < 1) || (fit == fpGrow && factor >= 1);
    if (!applies || factor == 1)
        return;
    for (int& width : widths)
        width = std::max(static_cast<int>(width * factor), 0);
}

void ApplyColumnWidthRules(std::vector<int>& widths, TextCanvas& canvas,
                           const TPrintSettings& settings, const PrintMetrics& metrics,
                           int firstCol, int room)
{
    const auto widthOf = [&widths, firstCol](int col) -> int* {
        const int index = col - firstCol;
        return col >= 0 && index >= 0 && index < static_cast<int>(widths.size())
                   ? &widths[static_cast<std::size_t>(index)]
                   : nullptr;
    };
    if (int* width = widthOf(settings.WidthSampleColumn); width && !settings.WidthSample.empty()) {
        // The cell's text starts two screen pixels in, so the sample needs that much more.
        const int inset = static_cast<int>(std::lround(2 * metrics.PixelSize));
        *width = std::max(*width,
                          MeasureCellWidth(canvas, metrics.TableFont, settings.WidthSample, false) +
                              inset);
    }
    int* fill = widthOf(settings.FillColumn);
    if (fill == nullptr)
        return;
    int rest = room - metrics.Spacing;
    for (const int& width : widths) {
        if (&width != fill)
            rest -= width + metrics.Spacing;
    }
    if (rest >= kNarrowestFillWidth)
        *fill = rest;
    else
        *fill = std::max(std::min(*fill, room - metrics.Spacing), kNarrowestFillWidth);
}

std::vector<ColumnPage> SplitColumnPages(const std::vector<int>& widths,
                                         const ColumnPageRules& rules)
{
    std::vector<ColumnPage> pages;
    const std::size_t count = widths.size();
    const int start = rules.Start();
    const int limit = start + rules.Room();
    std::size_t next = 0;
    while (next < count) {
        ColumnPage page;
        const std::size_t repeated =
            pages.empty()
                ? 0
                : std::min<std::size_t>(static_cast<std::size_t>(rules.RepeatCount), next);
        for (std::size_t i = 0; i < repeated; ++i)
            page.Fixed.push_back({rules.FirstCol + static_cast<int>(i), widths[i], 0});
        // Uncentred columns start at the left margin, so that margin is part of the room used.
        if (start + sumWithSpacing(page.Fixed, rules.Spacing) + widths[next] + rules.Spacing >
            limit)
            page.Fixed.clear();
        const int reserved = sumWithSpacing(page.Fixed, rules.Spacing);
        int used = start + reserved;
        do {
            page.Columns.push_back({rules.FirstCol + static_cast<int>(next), widths[next], 0});
            used += widths[next] + rules.Spacing;
            ++next;
        } while (next < count && used + widths[next] + rules.Spacing <= limit);
        page.Overflows = used > limit;

        placeFrom(page.Columns, placeFrom(page.Fixed, start, rules.Spacing), rules.Spacing);
        const int blockWidth = reserved + sumWithSpacing(page.Columns, rules.Spacing);
        if (rules.Centered && blockWidth < rules.PageWidth)
            shiftAll(page, (rules.PageWidth - blockWidth) / 2);
        pages.push_back(std::move(page));
    }
    return pages;
}

} // namespace varnok
