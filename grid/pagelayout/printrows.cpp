#include "grid/pagelayout/printrows.h"

#include <algorithm>
#include <string_view>

#include "grid/markup/markuplayout.h"
#include "grid/markup/richtextplaintext.h"
#include "grid/markup/showntext.h"
#include "grid/markup/texttype.h"
#include "grid/pagelayout/printmetrics.h"
#include "grid/pagelayout/printwrap.h"
#include "grid/table/basegrid.h"
#include "platform/textcanvas.h"

namespace varnok {

namespace {

int lineCount(std::string_view text)
{
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (text[i] == '\r' || text[i] == '\n')
            ++lines;
    }
    return lines;
}

} // namespace

PrintRowHeights::PrintRowHeights(const TBaseGrid& grid, const TPrintSettings& settings,
                                 const PrintMetrics& metrics, std::vector<PrintColumn> columns)
    : m_grid(grid), m_settings(settings), m_metrics(metrics), m_columns(std::move(columns))
{
}

int PrintRowHeights::Height(TextCanvas& canvas, int row)
{
    if (row != m_lastRow) {
        m_lastHeight = Measure(canvas, row);
        m_lastRow = row;
    }
    return m_lastHeight;
}

int PrintRowHeights::Measure(TextCanvas& canvas, int row) const
{
    int tallest = 0;
    if (m_settings.UseFixedHeight) {
        tallest = m_settings.FixedHeight;
    } else {
        for (const PrintColumn& column : m_columns)
            tallest = std::max(tallest, CellHeight(canvas, column.Col, row, column.Width));
    }
    return tallest + tallest / 8 + 2 * m_metrics.Pad + m_settings.RowSpacing;
}

int PrintRowHeights::CellHeight(TextCanvas& canvas, int col, int row, int width) const
{
    const std::string_view stored = m_grid.GetCellEx(col, row);
    const std::string_view text = stored.empty() ? std::string_view("gh") : stored;
    const TGridFont& font = m_metrics.TableFont;
    const TTextType type = TextType(text, m_grid.EnableHTML());
    if (type == ttMarkup)
        return MeasureMarkup(canvas, font, text, width, true).Height;
    const ShownText shownText(text, type);
    const std::string_view shown = shownText.View();
    if (m_settings.NoAutoSize)
        return canvas.MeasureWrappedHeight(font, BreakLongWords(canvas, font, shown, width), width);
    return m_metrics.TableLineHeight * lineCount(shown);
}

} // namespace varnok
