#include "grid/view/resultgridview.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextCursor>

#include <algorithm>
#include <optional>
#include <string>

#include "grid/markup/markupplaintext.h"
#include "grid/markup/texttype.h"
#include "grid/table/gridnavigation.h"
#include "grid/table/gridrenderer.h"
#include "grid/view/celleditor.h"
#include "grid/view/cellhintwindow.h"
#include "platform/qt/cp1252.h"
#include "platform/qt/qtcanvas.h"
#include "platform/qt/qtshellservice.h"

namespace varnok {

namespace {

QString toEditorLines(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

std::string fromEditorLines(const QString& text)
{
    QString withBreaks = text;
    withBreaks.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return EncodeCp1252(withBreaks);
}

} // namespace

TResultGridView::TResultGridView(TBaseGrid& grid, QWidget* parent)
    : QAbstractScrollArea(parent), m_grid(grid), m_geometry(grid),
      m_renderer(std::make_unique<GridRenderer>(grid)),
      m_desktopShell(std::make_unique<QtShellService>()), m_shell(m_desktopShell.get()),
      m_measureCanvas(std::make_unique<QtCanvas>()), m_selectionEnd{grid.Col(), grid.Row()}
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(kHorizontalStep);
    m_hint = new CellHintWindow(this);
    m_grid.SetObserver(this);
    syncLayout();
}

TResultGridView::~TResultGridView()
{
    m_grid.SetObserver(nullptr);
}

const GridGeometry& TResultGridView::Geometry()
{
    if (m_layoutDirty) {
        syncLayout();
    }
    return m_geometry;
}

void TResultGridView::SetShellService(ShellService& shell)
{
    m_shell = &shell;
}

// ---- grid notifications and layout ----

void TResultGridView::CellChanged(int col, int row)
{
    if (!isVisible()) {
        return;
    }
    if (m_layoutDirty) {
        viewport()->update();
        return;
    }
    const TextRect rect = m_geometry.CellRect(col, row);
    viewport()->update(
        QRect(rect.Left, rect.Top, rect.Right - rect.Left + 1, rect.Bottom - rect.Top + 1));
}

void TResultGridView::AppearanceChanged()
{
    viewport()->update();
}

void TResultGridView::LayoutChanged()
{
    // A read grows the table row by row: only note the change here and lay out once the
    // event loop runs again.
    m_geometry.Invalidate();
    m_layoutDirty = true;
    scheduleLayoutSync();
    viewport()->update();
}

void TResultGridView::scheduleLayoutSync()
{
    if (m_syncQueued) {
        return;
    }
    m_syncQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_syncQueued = false;
            if (m_layoutDirty) {
                syncLayout();
            }
        },
        Qt::QueuedConnection);
}

void TResultGridView::syncLayout()
{
    if (m_syncing) {
        return;
    }
    m_syncing = true;
    m_geometry.Invalidate();
    // Showing or hiding a scroll bar changes the viewport, which can change the ranges.
    for (int round = 0; round < 3; ++round) {
        const QSize before = viewport()->size();
        m_geometry.SetViewportSize(before.width(), before.height());
        updateScrollBars();
        if (viewport()->size() == before) {
            break;
        }
    }
    m_layoutDirty = false;
    m_syncing = false;
    placeEditor();
    viewport()->update();
}

void TResultGridView::updateScrollBars()
{
    const int top = m_geometry.TopRow();
    const int offset = m_geometry.OffsetX();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, m_geometry.MaxTopRow() - m_geometry.MinTopRow());
    vertical->setPageStep(m_geometry.FullyVisibleRowCount());
    vertical->setValue(top - m_geometry.MinTopRow());
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, m_geometry.MaxOffsetX());
    horizontal->setPageStep(std::max(1, m_geometry.ViewportWidth() - m_geometry.FixedWidth()));
    horizontal->setValue(offset);
    // Values the bars clamped silently must reach the geometry too.
    m_geometry.SetTopRow(m_geometry.MinTopRow() + vertical->value());
    m_geometry.SetOffsetX(horizontal->value());
}

void TResultGridView::syncColumnsWithWidth()
{
    // The frame's inner width, not the viewport's: a scroll bar coming or going must not
    // rescale the columns, which could make it go or come again.
    m_grid.SynchColumnsWithWidth(contentsRect().width());
}

void TResultGridView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    syncColumnsWithWidth();
    m_geometry.SetViewportSize(viewport()->width(), viewport()->height());
    if (!m_syncing) {
        syncLayout();
    }
}

void TResultGridView::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    m_geometry.SetTopRow(m_geometry.MinTopRow() + verticalScrollBar()->value());
    m_geometry.SetOffsetX(horizontalScrollBar()->value());
    hideHint();
    placeEditor();
    viewport()->update();
}

void TResultGridView::paintEvent(QPaintEvent* /*event*/)
{
    if (m_layoutDirty) {
        syncLayout();
    }
    QPainter painter(viewport());
    QtCanvas canvas(painter, palette());
    m_renderer->PaintViewport(canvas, m_geometry, {true, hasFocus()});
}

// ---- focus and selection ----

bool TResultGridView::isNormalCell(int col, int row) const
{
    return col >= m_grid.GetFixedColsEx() && col < m_grid.GetColCountEx() &&
           row >= m_grid.GetFixedRowsEx() && row < m_grid.GetRowCountEx();
}

GridCell TResultGridView::clampToNormal(GridCell cell) const
{
    return GridNavigation(m_grid, m_geometry).ClampToNormal(cell);
}

void TResultGridView::selectRange(GridCell anchor, GridCell end)
{
    m_grid.SetSelection({std::min(anchor.Col, end.Col), std::min(anchor.Row, end.Row),
                         std::max(anchor.Col, end.Col), std::max(anchor.Row, end.Row)});
}

// The moving corner of the selection, unless the grid's focus or selection was changed
// behind the view's back, in which case a new range starts at the focused cell.
GridCell TResultGridView::selectionEnd() const
{
    const TGridRect& s = m_grid.Selection();
    const GridCell focus{m_grid.Col(), m_grid.Row()};
    const bool focusIsCorner = (focus.Col == s.Left || focus.Col == s.Right) &&
                               (focus.Row == s.Top || focus.Row == s.Bottom);
    const GridCell opposite{focus.Col == s.Left ? s.Right : s.Left,
                            focus.Row == s.Top ? s.Bottom : s.Top};
    return focusIsCorner && m_selectionEnd == opposite ? m_selectionEnd : focus;
}

void TResultGridView::moveFocus(GridCell target, bool extend)
{
    if (extend) {
        m_selectionEnd = target;
        selectRange({m_grid.Col(), m_grid.Row()}, target);
    } else {
        m_grid.FocusCell(target.Col, target.Row);
        m_selectionEnd = target;
    }
    ScrollToCell(target.Col, target.Row);
    viewport()->update();
}

void TResultGridView::SelectAllCells()
{
    EndEditing(true);
    if (m_grid.GetColCountEx() <= m_grid.GetFixedColsEx() ||
        m_grid.GetRowCountEx() <= m_grid.GetFixedRowsEx()) {
        return; // no normal cell to select
    }
    m_selectionEnd = {m_grid.Col(), m_grid.Row()};
    selectRange({m_grid.GetFixedColsEx(), m_grid.GetFixedRowsEx()},
                {m_grid.GetColCountEx() - 1, m_grid.GetRowCountEx() - 1});
    viewport()->update();
}

void TResultGridView::SetCurrentCell(int col, int row)
{
    EndEditing(true);
    moveFocus(clampToNormal({col, row}), false);
}

void TResultGridView::ScrollToCell(int col, int row)
{
    if (m_layoutDirty) {
        syncLayout();
    }
    verticalScrollBar()->setValue(m_geometry.TopRowToShow(row) - m_geometry.MinTopRow());
    horizontalScrollBar()->setValue(m_geometry.OffsetXToShow(col));
}

// ---- keyboard ----

void TResultGridView::keyPressEvent(QKeyEvent* event)
{
    Q_EMIT KeyDown(event->key(), event->modifiers());
    hideHint();
    if (handleNavigationKey(*event)) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAllCells();
        return;
    }
    const Qt::KeyboardModifiers commandKeys =
        Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (event->key() == Qt::Key_F2 && !(event->modifiers() & commandKeys)) {
        EditCurrentCell();
        return;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !(event->modifiers() & commandKeys)) {
        if (isNormalCell(m_grid.Col(), m_grid.Row())) {
            startEditing(&typed);
        }
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

namespace {

// The toolkit's navigation keys as the grid's own; nothing for other keys.
std::optional<NavigationKey> navigationKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Up:
        return NavigationKey::Up;
    case Qt::Key_Down:
        return NavigationKey::Down;
    case Qt::Key_Left:
        return NavigationKey::Left;
    case Qt::Key_Right:
        return NavigationKey::Right;
    case Qt::Key_PageUp:
        return NavigationKey::PageUp;
    case Qt::Key_PageDown:
        return NavigationKey::PageDown;
    case Qt::Key_Home:
        return NavigationKey::Home;
    case Qt::Key_End:
        return NavigationKey::End;
    default:
        return std::nullopt;
    }
}

} // namespace

bool TResultGridView::handleNavigationKey(const QKeyEvent& event)
{
    if (m_layoutDirty) {
        syncLayout();
    }
    const std::optional<NavigationKey> key = navigationKeyOf(event.key());
    if (!key) {
        return false;
    }
    const bool ctrl = event.modifiers() & Qt::ControlModifier;
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    const GridCell from = shift ? selectionEnd() : GridCell{m_grid.Col(), m_grid.Row()};
    const NavigationMove move = GridNavigation(m_grid, m_geometry).Move(from, *key, ctrl);
    verticalScrollBar()->setValue(move.TopRow - m_geometry.MinTopRow());
    moveFocus(move.Cell, shift);
    return true;
}

void TResultGridView::contextMenuEvent(QContextMenuEvent* event)
{
    hideHint();
    Q_EMIT ContextMenuRequested(event->globalPos());
    event->accept();
}

void TResultGridView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TResultGridView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TResultGridView::hideEvent(QHideEvent* event)
{
    hideHint();
    EndEditing(true);
    QAbstractScrollArea::hideEvent(event);
}

bool TResultGridView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        // Qt sends this after the platform's hint delay with the pointer at rest.
        showHint(static_cast<QHelpEvent*>(event)->pos());
        return true;
    case QEvent::Leave:
        hideHint();
        break;
    default:
        break;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

// ---- hints ----

void TResultGridView::showHint(const QPoint& pos)
{
    const GridCell cell = Geometry().CellAt(pos.x(), pos.y());
    const std::string_view text = m_grid.GetCellEx(cell.Col, cell.Row);
    if (!isNormalCell(cell.Col, cell.Row) || text.empty() || cell == m_editCell) {
        hideHint();
        return;
    }
    m_hintCell = cell;
    m_hint->ShowAt(DecodeCp1252(text), viewport()->mapToGlobal(pos));
}

void TResultGridView::hideHint()
{
    m_hintCell = {};
    if (m_hint->isVisible()) {
        m_hint->hide();
    }
}

QString TResultGridView::HintText() const
{
    return m_hint->isVisible() ? m_hint->text() : QString();
}

// ---- in-place editing ----

bool TResultGridView::EditCurrentCell()
{
    if (!isNormalCell(m_grid.Col(), m_grid.Row())) {
        return false;
    }
    startEditing(nullptr);
    return true;
}

QString TResultGridView::editorTextOf(int col, int row) const
{
    const std::string_view stored = m_grid.GetCellEx(col, row);
    // The editor offers what a markup cell shows, not its tags.
    if (TextType(stored, m_grid.EnableHTML()) == ttMarkup) {
        return toEditorLines(DecodeCp1252(MarkupPlainText(stored)));
    }
    return toEditorLines(DecodeCp1252(stored));
}

void TResultGridView::startEditing(const QString* replacement)
{
    const GridCell cell{m_grid.Col(), m_grid.Row()};
    if (IsEditing() && cell == m_editCell) {
        return;
    }
    EndEditing(true);
    hideHint();
    ScrollToCell(cell.Col, cell.Row);
    if (m_editor == nullptr) {
        m_editor = new CellEditor(viewport());
        connect(m_editor, &CellEditor::Accepted, this, [this] { EndEditing(true); });
        connect(m_editor, &CellEditor::Cancelled, this, [this] { EndEditing(false); });
    }
    m_editCell = cell;
    m_editOriginal = editorTextOf(cell.Col, cell.Row);
    m_editor->setFont(QtCanvas::ToQFont(m_grid.Font()));
    m_editor->setPlainText(replacement != nullptr ? *replacement : m_editOriginal);
    m_editor->moveCursor(QTextCursor::End);
    placeEditor();
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
}

void TResultGridView::placeEditor()
{
    if (!IsEditing() || m_editor == nullptr) {
        return;
    }
    const TextRect rect = m_geometry.CellRect(m_editCell.Col, m_editCell.Row);
    m_editor->setGeometry(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    // A cell scrolled under the fixed row or column, or out of sight, ends its edit.
    const bool hidden =
        rect.Left < m_geometry.FixedWidth() || rect.Top < m_geometry.FixedHeight() ||
        rect.Left >= m_geometry.ViewportWidth() || rect.Top >= m_geometry.ViewportHeight();
    if (hidden && !m_syncing) {
        EndEditing(true);
    }
}

QString TResultGridView::EditorText() const
{
    return IsEditing() ? m_editor->toPlainText() : QString();
}

void TResultGridView::EndEditing(bool keepText)
{
    if (!IsEditing()) {
        return;
    }
    // Cleared first: hiding the editor moves the focus, which ends the edit once more.
    const GridCell cell = m_editCell;
    m_editCell = {};
    const QString text = m_editor->toPlainText();
    const bool hadFocus = m_editor->hasFocus();
    m_editor->hide();
    if (hadFocus) {
        setFocus(Qt::OtherFocusReason);
    }
    if (keepText && text != m_editOriginal) {
        m_grid.SetCellEx(cell.Col, cell.Row, fromEditorLines(text));
    }
    viewport()->update();
}

} // namespace varnok
