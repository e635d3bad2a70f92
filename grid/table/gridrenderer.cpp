#include "grid/table/gridrenderer.h"

#include <algorithm>
#include <string>

#include "grid/markup/markuplayout.h"
#include "grid/markup/richtextplaintext.h"
#include "grid/markup/showntext.h"
#include "grid/markup/texttype.h"
#include "grid/table/basegrid.h"
#include "grid/table/gridgeometry.h"
#include "platform/textcanvas.h"

namespace varnok {

namespace {

// The sort indicator is centred this far below the text area's top, and this far right
// of the header text (but never closer than 16 pixels to the area's right edge).
constexpr int kIndicatorDown = 8;
constexpr int kIndicatorRight = 10;
constexpr int kIndicatorKeepOff = 16;
// The indicator is a triangle 8 pixels wide and high, lit on one side and shaded on the
// others like the button face it sits on.
constexpr int kIndicatorHalf = 4;
constexpr TColor kIndicatorLight = 0x00FFFFFF;
constexpr TColor kIndicatorShade = 0x00808080;

} // namespace

GridRenderer::GridRenderer(const TBaseGrid& grid) : m_grid(grid) {}

bool GridRenderer::IsFixedCell(int col, int row) const
{
    return col < m_grid.GetFixedColsEx() || row < m_grid.GetFixedRowsEx();
}

bool GridRenderer::IsSelected(int col, int row) const
{
    const TGridRect& s = m_grid.Selection();
    return col >= std::min(s.Left, s.Right) && col <= std::max(s.Left, s.Right) &&
           row >= std::min(s.Top, s.Bottom) && row <= std::max(s.Top, s.Bottom);
}

bool GridRenderer::HasSortIndicator(int col, int row) const
{
    const TSortSettings& sort = m_grid.SortSettings();
    return sort.Show && row == sort.Row && col == sort.Column && m_grid.GetRowCountEx() > 2 &&
           m_grid.GetFixedRowsEx() >= 1 && col >= m_grid.GetFixedColsEx();
}

TextRect GridRenderer::PlainTextArea(int col, int row, const TextRect& cellRect) const
{
    TextRect area{cellRect.Left + kTextOffset, cellRect.Top + kTextOffset,
                  cellRect.Right - kTextOffset, cellRect.Bottom};
    if (HasSortIndicator(col, row)) {
        area.Right -= kPlainIndicatorRoom;
    }
    return area;
}

TextRect GridRenderer::MarkupTextArea(int col, int row, const TextRect& cellRect) const
{
    TextRect area{cellRect.Left + kTextOffset, cellRect.Top + kTextOffset, cellRect.Right,
                  cellRect.Bottom};
    if (HasSortIndicator(col, row)) {
        area.Right -= kMarkupIndicatorRoom;
    }
    return area;
}

const TGridFont& GridRenderer::CellFont(int col, int row) const
{
    return IsFixedCell(col, row) ? m_grid.FixedFont() : m_grid.Font();
}

std::optional<std::string> GridRenderer::AnchorAt(TextCanvas& canvas, int col, int row,
                                                  const TextRect& cellRect, int x, int y) const
{
    const std::string_view text = m_grid.GetCellEx(col, row);
    if (TextType(text, m_grid.EnableHTML()) != ttMarkup) {
        return std::nullopt;
    }
    MarkupRequest request;
    request.Font = CellFont(col, row);
    request.Area = MarkupTextArea(col, row, cellRect);
    request.MeasureOnly = true;
    request.Pointer = MarkupPoint{x, y};
    MarkupResult result = DrawMarkup(canvas, text, request);
    if (!result.AnchorHit) {
        return std::nullopt;
    }
    return std::move(result.AnchorTarget);
}

void GridRenderer::PaintViewport(TextCanvas& canvas, const GridGeometry& geometry,
                                 const Options& options) const
{
    const int width = geometry.ViewportWidth();
    const int height = geometry.ViewportHeight();
    const int lastCol = m_grid.GetColCountEx() - 1;
    const int lastRow = m_grid.GetRowCountEx() - 1;

    // The window colour beyond the table's right and lower edges.
    const TextRect corner = geometry.CellRect(lastCol, lastRow);
    const int tableRight = corner.Right + GridGeometry::kGridLineWidth;
    const int tableBottom = corner.Bottom + GridGeometry::kGridLineWidth;
    if (tableRight < width) {
        canvas.FillRect({tableRight, 0, width, height}, kColor);
    }
    if (tableBottom < height) {
        canvas.FillRect({0, tableBottom, std::min(tableRight, width), height}, kColor);
    }

    // Scrolled cells first: the fixed row and column are painted over whatever of them
    // reaches under those.
    const GridRange rows = geometry.VisibleScrollRows();
    const GridRange cols = geometry.VisibleScrollCols();
    const int fixedRows = m_grid.GetFixedRowsEx();
    const int fixedCols = m_grid.GetFixedColsEx();
    paintBlock(canvas, geometry, cols.First, cols.Last, rows.First, rows.Last, options);
    paintBlock(canvas, geometry, cols.First, cols.Last, 0, fixedRows - 1, options);
    paintBlock(canvas, geometry, 0, fixedCols - 1, rows.First, rows.Last, options);
    paintBlock(canvas, geometry, 0, fixedCols - 1, 0, fixedRows - 1, options);
}

void GridRenderer::paintBlock(TextCanvas& canvas, const GridGeometry& geometry, int firstCol,
                              int lastCol, int firstRow, int lastRow, const Options& options) const
{
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int col = firstCol; col <= lastCol; ++col) {
            const TextRect rect = geometry.CellRect(col, row);
            if (rect.Left >= geometry.ViewportWidth() || rect.Top >= geometry.ViewportHeight()) {
                continue;
            }
            const bool selected = options.ShowSelection && IsSelected(col, row);
            PaintCell(canvas, col, row, rect, selected);
            paintGridLines(canvas, rect);
            if (options.ShowFocusFrame && col == m_grid.Col() && row == m_grid.Row() &&
                !IsFixedCell(col, row)) {
                paintFocusFrame(canvas, rect);
            }
        }
    }
}

void GridRenderer::PaintCell(TextCanvas& canvas, int col, int row, const TextRect& cellRect,
                             bool selected) const
{
    const bool fixed = IsFixedCell(col, row);
    const bool highlighted = selected && !fixed;
    canvas.FillRect(cellRect, fixed ? kFixedColor : highlighted ? kHighlightColor : kColor);
    drawText(canvas, col, row, cellRect, highlighted);
}

void GridRenderer::drawText(TextCanvas& canvas, int col, int row, const TextRect& cellRect,
                            bool selected) const
{
    const std::string_view text = m_grid.GetCellEx(col, row);
    const bool indicator = HasSortIndicator(col, row);
    if (text.empty() && !indicator) {
        return;
    }
    const TGridFont& font = CellFont(col, row);
    const TColor color = selected ? kHighlightTextColor : font.Color;
    const TTextType type = TextType(text, m_grid.EnableHTML());

    if (type == ttMarkup) {
        const TextRect area = MarkupTextArea(col, row, cellRect);
        DrawMarkupText(canvas, col, row, font, color, text, area, selected);
        if (indicator) {
            DrawSortIndicator(canvas, col, area.Right + 2, area.Top + kIndicatorDown);
        }
        return;
    }

    // Rich text shows what it would read as; a formula is shown as the text it is.
    const ShownText shownText(text, type);
    const std::string_view shown = shownText.View();
    const TextRect area = PlainTextArea(col, row, cellRect);
    if (!shown.empty()) {
        canvas.DrawWrappedText(font, color, shown, area);
    }
    if (indicator) {
        const int textWidth = canvas.MeasureLine(font, shown).Width;
        const int x = area.Left + std::min(textWidth, area.Right - area.Left - kIndicatorKeepOff) +
                      kIndicatorRight;
        DrawSortIndicator(canvas, col, x, area.Top + kIndicatorDown);
    }
}

void GridRenderer::paintGridLines(TextCanvas& canvas, const TextRect& cellRect) const
{
    canvas.DrawLine(cellRect.Right, cellRect.Top, cellRect.Right, cellRect.Bottom, kGridLineColor);
    canvas.DrawLine(cellRect.Left, cellRect.Bottom, cellRect.Right, cellRect.Bottom,
                    kGridLineColor);
}

void GridRenderer::paintFocusFrame(TextCanvas& canvas, const TextRect& cellRect) const
{
    const int right = cellRect.Right - 1;
    const int bottom = cellRect.Bottom - 1;
    if (right <= cellRect.Left || bottom <= cellRect.Top) {
        return;
    }
    canvas.DrawLine(cellRect.Left, cellRect.Top, right, cellRect.Top, kFocusFrameColor);
    canvas.DrawLine(right, cellRect.Top, right, bottom, kFocusFrameColor);
    canvas.DrawLine(right, bottom, cellRect.Left, bottom, kFocusFrameColor);
    canvas.DrawLine(cellRect.Left, bottom, cellRect.Left, cellRect.Top, kFocusFrameColor);
}

void GridRenderer::DrawMarkupText(TextCanvas& canvas, int /*col*/, int /*row*/,
                                  const TGridFont& font, TColor textColor, std::string_view text,
                                  const TextRect& area, bool selected) const
{
    MarkupRequest request;
    request.Font = font;
    request.Font.Color = textColor;
    request.AnchorColor = selected ? kHighlightTextColor : m_grid.URLColor();
    request.Area = area;
    static_cast<void>(DrawMarkup(canvas, text, request));
}

void GridRenderer::DrawSortIndicator(TextCanvas& canvas, int /*col*/, int x, int y) const
{
    const int left = x - kIndicatorHalf;
    const int right = x + kIndicatorHalf;
    const int top = y - kIndicatorHalf;
    const int bottom = y + kIndicatorHalf;
    if (m_grid.SortSettings().Direction == sdDescending) {
        canvas.DrawLine(right, top, x, bottom, kIndicatorLight);
        canvas.DrawLine(x, bottom, left, top, kIndicatorShade);
        canvas.DrawLine(left, top, right, top, kIndicatorShade);
    } else {
        canvas.DrawLine(left, bottom, right, bottom, kIndicatorLight);
        canvas.DrawLine(right, bottom, x, top, kIndicatorLight);
        canvas.DrawLine(x, top, left, bottom, kIndicatorShade);
    }
}

} // namespace varnok
