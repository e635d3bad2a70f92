#include "grid/pagelayout/printcells.h"

#include <array>
#include <cmath>
#include <string>

#include "grid/markup/richtextplaintext.h"
#include "grid/markup/showntext.h"
#include "grid/markup/texttype.h"
#include "grid/pagelayout/printmarkup.h"
#include "grid/pagelayout/printmetrics.h"
#include "grid/pagelayout/printwrap.h"
#include "grid/table/basegrid.h"
#include "platform/textcanvas.h"

namespace varnok {

namespace {

// Screen pixels between a cell's left edge and its wrapped text.
constexpr double kTextIndentPixels = 2;

// Indexed by TPrintBorders: cell top/bottom, cell left/right, frame, bottom line, fixed lines.
constexpr std::array<BorderScheme, 9> kBorderSchemes = {{
    {false, false, false, false, false}, // pbNoborder
    {true, true, false, false, false},   // pbSingle
    {true, true, false, true, true},     // pbDouble
    {false, true, false, false, true},   // pbVertical
    {true, false, false, true, false},   // pbHorizontal
    {false, false, true, false, false},  // pbAround
    {false, true, true, false, true},    // pbAroundVertical
    {true, false, true, true, false},    // pbAroundHorizontal
    {false, false, false, false, false}, // pbCustom
}};

BorderScheme borderSchemeOf(TPrintBorders borders)
{
    const auto index = static_cast<std::size_t>(borders);
    return index < kBorderSchemes.size() ? kBorderSchemes[index] : BorderScheme{};
}

} // namespace

PrintCellPainter::PrintCellPainter(const TBaseGrid& grid, const TPrintSettings& settings,
                                   const PrintMetrics& metrics, PrintCellColors colors)
    : m_grid(grid), m_settings(settings), m_metrics(metrics), m_colors(colors),
      m_scheme(borderSchemeOf(settings.Borders))
{
}

void PrintCellPainter::DrawCell(TextCanvas& canvas, int col, int row, const TextRect& rect,
                                bool cut) const
{
    canvas.FillRect(rect, m_colors.Background);
    const std::string_view text = m_grid.GetCellEx(col, row);
    if (!text.empty())
        drawText(canvas, text, rect);
    drawBorders(canvas, rect, cut);
}

void PrintCellPainter::drawText(TextCanvas& canvas, std::string_view text,
                                const TextRect& rect) const
{
    const TTextType type = TextType(text, m_grid.EnableHTML());
    if (type == ttMarkup) {
        DrawPrintMarkup(canvas, m_metrics.TableFont, m_colors.Anchor, text, rect);
        return;
    }
    const ShownText shownText(text, type);
    const std::string_view shown = shownText.View();
    if (shown.empty())
        return;
    if (!m_settings.NoAutoSize) {
        drawLines(canvas, shown, rect);
        return;
    }
    TextRect area = rect;
    area.Left += static_cast<int>(std::lround(kTextIndentPixels * m_metrics.PixelSize));
    const TGridFont& font = m_metrics.TableFont;
    canvas.DrawWrappedText(font, font.Color,
                           BreakLongWords(canvas, font, shown, area.Right - area.Left), area);
}

// Columns sized to their texts print each line as it is, one below the other, a letter's
// width in from the cell's left edge.
void PrintCellPainter::drawLines(TextCanvas& canvas, std::string_view text,
                                 const TextRect& rect) const
{
    const TGridFont& font = m_metrics.TableFont;
    const int x = rect.Left + m_metrics.TableCharWidth;
    const int step = (m_metrics.TableLineHeight + m_settings.RowSpacing) * 9 / 8;
    int y = rect.Top;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        canvas.DrawTextRun(font, text.substr(start, end - start), TextRunOptions{}, x, y, rect);
        if (end == text.size())
            break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        y += step;
    }
}

void PrintCellPainter::drawBorders(TextCanvas& canvas, const TextRect& rect, bool cut) const
{
    const TPen& pen = m_metrics.Pen;
    if (m_scheme.CellTopBottom) {
        canvas.DrawLine(rect.Left, rect.Top, rect.Right, rect.Top, pen);
        if (!cut)
            canvas.DrawLine(rect.Left, rect.Bottom, rect.Right, rect.Bottom, pen);
    }
    if (m_scheme.CellLeftRight) {
        canvas.DrawLine(rect.Left, rect.Top, rect.Left, rect.Bottom, pen);
        canvas.DrawLine(rect.Right, rect.Top, rect.Right, rect.Bottom, pen);
    }
}

void PrintCellPainter::DrawPageFrame(TextCanvas& canvas, const PrintedBlock& block) const
{
    const TPen& pen = m_metrics.Pen;
    // The closing lines sit half a pad above the last row's lower edge.
    const int bottom = block.Bottom - m_metrics.Pad / 2;
    if (m_scheme.Frame)
        canvas.FrameRect({block.Left, block.Top, block.Right, bottom}, pen);
    if (m_scheme.BottomLine)
        canvas.DrawLine(block.Left, bottom, block.Right, bottom, pen);
    if (m_scheme.FixedColumnLines) {
        for (const int left : block.FixedColumnLefts)
            canvas.DrawLine(left, block.Top, left, bottom, pen);
    }
}

} // namespace varnok
