// The mouse handling of TResultGridView: selecting by dragging, sizing columns and rows
// at their borders, sorting by a click on a header, fitting a column by a double-click
// on its header border, and the anchors of markup cells (hand pointer, presses).
#include "grid/view/resultgridview.h"

#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <optional>

#include "grid/table/anchorpress.h"
#include "grid/table/columnfit.h"
#include "grid/table/gridrenderer.h"
#include "grid/table/gridsort.h"
#include "grid/view/cellhintwindow.h"
#include "platform/qt/qtcanvas.h"

namespace varnok {

namespace {

// A header release this close to a column border ends a resize rather than clicking, and
// a double-click this close fits the column left of the border to its texts.
constexpr int kHeaderBorderZone = 4;
constexpr int kMinRowHeight = 1;

} // namespace

void TResultGridView::mousePressEvent(QMouseEvent* event)
{
    hideHint();
    EndEditing(true);
    if (event->button() == Qt::RightButton) {
        focusClickedCell(event->position().toPoint());
    }
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    m_pressOpenedAnchor = false;
    if (m_layoutDirty) {
        syncLayout();
    }
    const QPoint pos = event->position().toPoint();
    m_pressCell = m_geometry.CellAt(pos.x(), pos.y());
    if (const int col = m_geometry.ColBorderAt(pos.x(), pos.y()); col >= 0) {
        m_drag = DragMode::SizingCol;
        m_sizeIndex = col;
        m_sizeStartPos = pos.x();
        m_sizeStartSize = m_grid.ColWidth(col);
        return;
    }
    if (const int row = m_geometry.RowBorderAt(pos.x(), pos.y()); row >= 0) {
        m_drag = DragMode::SizingRow;
        m_sizeIndex = row;
        m_sizeStartPos = pos.y();
        m_sizeStartSize = m_grid.RowHeight(row);
        return;
    }
    m_pressOpenedAnchor = pressAnchor(pos);
    if (m_pressOpenedAnchor) {
        m_pressCell = {};
        return;
    }
    if (isNormalCell(m_pressCell.Col, m_pressCell.Row)) {
        moveFocus(m_pressCell, event->modifiers() & Qt::ShiftModifier);
        m_drag = DragMode::Selecting;
    }
}

// A right-click outside the selection first makes the clicked cell the current one, so the
// pop-up menu that follows acts on what was clicked; inside the selection it keeps it.
void TResultGridView::focusClickedCell(const QPoint& pos)
{
    const GridCell cell = Geometry().CellAt(pos.x(), pos.y());
    const TGridRect& s = m_grid.Selection();
    const bool selected =
        cell.Col >= s.Left && cell.Col <= s.Right && cell.Row >= s.Top && cell.Row <= s.Bottom;
    if (isNormalCell(cell.Col, cell.Row) && !selected) {
        moveFocus(cell, false);
    }
}

void TResultGridView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    switch (m_drag) {
    case DragMode::SizingCol: {
        const int width = std::max(0, m_sizeStartSize + pos.x() - m_sizeStartPos);
        if (width != m_grid.ColWidth(m_sizeIndex)) {
            m_grid.SetColWidth(m_sizeIndex, width);
        }
        return;
    }
    case DragMode::SizingRow: {
        const int height = std::max(kMinRowHeight, m_sizeStartSize + pos.y() - m_sizeStartPos);
        if (height != m_grid.RowHeight(m_sizeIndex)) {
            m_grid.SetRowHeight(m_sizeIndex, height);
        }
        return;
    }
    case DragMode::Selecting:
        dragSelection(pos);
        return;
    case DragMode::None:
        break;
    }
    updateHoverCursor(pos);
    if (m_hint->isVisible() && Geometry().CellAt(pos.x(), pos.y()) != m_hintCell) {
        hideHint();
    }
}

void TResultGridView::dragSelection(const QPoint& pos)
{
    if (m_layoutDirty) {
        syncLayout();
    }
    // Dragging past an edge of the scrolled area scrolls one row or one step at a time.
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    if (pos.y() >= viewport()->height()) {
        vertical->setValue(vertical->value() + 1);
    } else if (pos.y() < m_geometry.FixedHeight()) {
        vertical->setValue(vertical->value() - 1);
    }
    if (pos.x() >= viewport()->width()) {
        horizontal->setValue(horizontal->value() + kHorizontalStep);
    } else if (pos.x() < m_geometry.FixedWidth()) {
        horizontal->setValue(horizontal->value() - kHorizontalStep);
    }
    const int x =
        std::clamp(pos.x(), m_geometry.FixedWidth(), std::max(0, viewport()->width() - 1));
    const int y =
        std::clamp(pos.y(), m_geometry.FixedHeight(), std::max(0, viewport()->height() - 1));
    GridCell cell{m_geometry.ColAt(x), m_geometry.RowAt(y)};
    // Beyond the table's right or lower edge the last column or row is meant.
    if (cell.Col < 0) {
        cell.Col = m_grid.GetColCountEx() - 1;
    }
    if (cell.Row < 0) {
        cell.Row = m_grid.GetRowCountEx() - 1;
    }
    cell = clampToNormal(cell);
    if (cell != m_selectionEnd) {
        moveFocus(cell, true);
    }
}

// For a point at x in `cell`, the column whose right border lies less than 4 pixels away:
// near the cell's left border the column before it (-1 before the first column), near its
// right border the cell's own; nothing away from both.
std::optional<int> TResultGridView::columnBorderNear(int x, GridCell cell)
{
    const TextRect rect = Geometry().CellRect(cell.Col, cell.Row);
    const int leftBorder = rect.Left - GridGeometry::kGridLineWidth;
    if (x - leftBorder < kHeaderBorderZone) {
        return cell.Col - 1;
    }
    if (rect.Right - x < kHeaderBorderZone) {
        return cell.Col;
    }
    return std::nullopt;
}

bool TResultGridView::isHeaderClick(int x, GridCell cell)
{
    // The press must have been on the header row too; the column it was in plays no part.
    const int headerRow = m_grid.SortSettings().Row;
    return cell.Col >= 0 && cell.Row == headerRow && m_pressCell.Row == headerRow &&
           cell.Row < m_grid.GetFixedRowsEx() && !columnBorderNear(x, cell);
}

void TResultGridView::sortByHeader(int col)
{
    EndEditing(true);
    if (GridSorter(m_grid).ClickHeader(col)) {
        // The focused row followed its contents; show it where it went.
        SetCurrentCell(m_grid.Col(), m_grid.Row());
    }
}

void TResultGridView::fitColumn(int col)
{
    if (col < m_grid.GetFixedColsEx() || col >= m_grid.GetColCountEx()) {
        return; // a fixed column keeps its width
    }
    QtCanvas canvas;
    m_grid.SetColWidth(col, FittedColumnWidth(canvas, m_grid, col));
}

void TResultGridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    const DragMode drag = m_drag;
    m_drag = DragMode::None;
    const bool afterBorderDoubleClick = m_borderDoubleClick;
    m_borderDoubleClick = false;
    if (drag == DragMode::SizingRow) {
        if (m_grid.RowHeight(m_sizeIndex) != m_sizeStartSize) {
            m_grid.RescaleRowsAfterDrag(m_sizeIndex, m_sizeStartSize);
        }
        return;
    }
    if (drag == DragMode::SizingCol || afterBorderDoubleClick) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    const GridCell cell = Geometry().CellAt(pos.x(), pos.y());
    if (isHeaderClick(pos.x(), cell)) {
        sortByHeader(cell.Col);
    }
}

void TResultGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    hideHint();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    // The second press counts as a press for the release that follows it.
    m_pressCell = Geometry().CellAt(pos.x(), pos.y());
    m_drag = DragMode::None;
    if (m_pressCell.Col >= 0 && m_pressCell.Row == 0 && m_grid.GetFixedRowsEx() > 0) {
        if (const std::optional<int> col = columnBorderNear(pos.x(), m_pressCell)) {
            // The release that ends this double-click must not sort.
            m_borderDoubleClick = true;
            fitColumn(*col);
            return;
        }
    }
    if (m_geometry.ColBorderAt(pos.x(), pos.y()) >= 0 ||
        m_geometry.RowBorderAt(pos.x(), pos.y()) >= 0) {
        return;
    }
    // The first press of this double-click already did what the anchor under it says;
    // opening the row as well would hand the desktop the same address a second time.
    if (m_pressCell.Col >= 0 && !m_pressOpenedAnchor) {
        Q_EMIT DblClickCell(m_pressCell.Col, m_pressCell.Row);
    }
}

void TResultGridView::updateHoverCursor(const QPoint& pos)
{
    const GridGeometry& geometry = Geometry();
    if (geometry.ColBorderAt(pos.x(), pos.y()) >= 0) {
        viewport()->setCursor(Qt::SplitHCursor);
    } else if (geometry.RowBorderAt(pos.x(), pos.y()) >= 0) {
        viewport()->setCursor(Qt::SplitVCursor);
    } else if (const std::optional<std::string> target = anchorAt(pos);
               target && AnchorPressActs(*target)) {
        viewport()->setCursor(Qt::PointingHandCursor);
    } else {
        viewport()->unsetCursor();
    }
}

std::optional<std::string> TResultGridView::anchorAt(const QPoint& pos)
{
    const GridGeometry& geometry = Geometry();
    const GridCell cell = geometry.CellAt(pos.x(), pos.y());
    if (cell.Col < 0 || cell.Row < 0) {
        return std::nullopt;
    }
    return m_renderer->AnchorAt(*m_measureCanvas, cell.Col, cell.Row,
                                geometry.CellRect(cell.Col, cell.Row), pos.x(), pos.y());
}

// A press on an anchor with a target does what the target says and nothing else.
bool TResultGridView::pressAnchor(const QPoint& pos)
{
    const std::optional<std::string> target = anchorAt(pos);
    if (!target) {
        return false;
    }
    const AnchorPress press = PressAnchor(*m_shell, *target);
    if (const auto cell = press.FocusCell;
        cell && cell->Col < m_grid.GetColCountEx() && cell->Row < m_grid.GetRowCountEx()) {
        SetCurrentCell(cell->Col, cell->Row);
    }
    if (press.Refused) {
        Q_EMIT AnchorRefused();
    }
    return press.Consumed;
}

} // namespace varnok
