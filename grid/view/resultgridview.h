#pragma once

#include <QAbstractScrollArea>
#include <QString>

#include <memory>
#include <optional>
#include <string>

#include "grid/table/basegrid.h"
#include "grid/table/gridgeometry.h"

namespace varnok {

class CellEditor;
class CellHintWindow;
class GridRenderer;
class QtCanvas;
class ShellService;

// The result grid on screen: a thin widget over a TBaseGrid (the window's TResultGrid).
// It paints the visible cells through GridRenderer, scrolls row by row vertically and by
// pixels horizontally with the fixed row and column in place, moves Col/Row with the
// keyboard, selects ranges by dragging, sizes columns (in the fixed row) and rows (in the
// fixed column) with the mouse, selects all with Ctrl+A, edits normal cells in place (F2 or
// typing), shows cell hints, and makes the column widths follow its width (SynchColumnsWithWidth).
// A click on a header sorts by that column (GridSorter); a double-click on a header border fits the
// column left of it to its texts. Over an anchor of a markup cell that opens a web address
// or names a cell the pointer is a hand; a press on an anchor opens its target through the
// shell service (web addresses only, AnchorRefused for others) or moves the focus to the
// cell a "CELL://" target names. A right-click outside the selection moves the focus first.
//
// The grid must outlive the view. The view registers itself as the grid's observer, so
// every change made through the grid repaints by itself; a focus moved on the grid is
// scrolled into view only by SetCurrentCell().
class TResultGridView final : public QAbstractScrollArea, private GridObserver {
    Q_OBJECT
public:
    explicit TResultGridView(TBaseGrid& grid, QWidget* parent = nullptr);
    ~TResultGridView() override;
    TResultGridView(const TResultGridView&) = delete;
    TResultGridView& operator=(const TResultGridView&) = delete;

    [[nodiscard]] TBaseGrid& Grid() const { return m_grid; }
    /** The on-screen layout (cell rectangles, hit tests) in viewport coordinates. */
    [[nodiscard]] const GridGeometry& Geometry();

    /** Makes (col, row) the focused cell, collapses the selection onto it and scrolls it into view.
     */
    void SetCurrentCell(int col, int row);
    /** Scrolls the least needed to show the cell. */
    void ScrollToCell(int col, int row);
    /** Replaces the desktop's open action for anchor presses; `shell` must outlive the view. */
    void SetShellService(ShellService& shell);

    /** Selects every normal cell; the focused cell stays where it is. */
    void SelectAllCells();

    /** Opens the in-place editor on the focused cell; false (nothing happens) for a fixed cell. */
    bool EditCurrentCell();
    /** Closes the editor; `keepText` writes an edited text back into the cell. */
    void EndEditing(bool keepText = true);
    [[nodiscard]] bool IsEditing() const { return m_editCell.Col >= 0; }
    /** The editor's current text while editing, else empty. */
    [[nodiscard]] QString EditorText() const;

    /** The hint showing (decoded text), or empty when none shows. */
    [[nodiscard]] QString HintText() const;

Q_SIGNALS:
    /** A double-click on a cell (fixed cells included); editing does not start. */
    void DblClickCell(int col, int row);
    /** Every key pressed in the grid, before the grid handles it (Ctrl+Enter for Open in Browser).
     */
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    /** A press on an anchor whose target is not opened (no web address). */
    void AnchorRefused();
    /** The context menu is asked for (right button or menu key) at a screen point. */
    void ContextMenuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    enum class DragMode { None, Selecting, SizingCol, SizingRow };
    // Pixels the columns scroll per step (arrow of the scroll bar, drag past an edge).
    static constexpr int kHorizontalStep = 20;

    // GridObserver
    void CellChanged(int col, int row) override;
    void LayoutChanged() override;
    void AppearanceChanged() override;

    void scheduleLayoutSync();
    void syncLayout();
    void updateScrollBars();
    void syncColumnsWithWidth();

    [[nodiscard]] bool isNormalCell(int col, int row) const;
    [[nodiscard]] GridCell clampToNormal(GridCell cell) const;
    [[nodiscard]] GridCell selectionEnd() const;
    void moveFocus(GridCell target, bool extend);
    [[nodiscard]] bool handleNavigationKey(const QKeyEvent& event);
    void selectRange(GridCell anchor, GridCell end);

    void startEditing(const QString* replacement);
    void placeEditor();
    [[nodiscard]] QString editorTextOf(int col, int row) const;

    void showHint(const QPoint& pos);
    void hideHint();
    void updateHoverCursor(const QPoint& pos);
    [[nodiscard]] std::optional<std::string> anchorAt(const QPoint& pos);
    bool pressAnchor(const QPoint& pos);
    void focusClickedCell(const QPoint& pos);
    void dragSelection(const QPoint& pos);
    [[nodiscard]] std::optional<int> columnBorderNear(int x, GridCell cell);
    [[nodiscard]] bool isHeaderClick(int x, GridCell cell);
    void sortByHeader(int col);
    void fitColumn(int col);

    TBaseGrid& m_grid;
    GridGeometry m_geometry;
    std::unique_ptr<GridRenderer> m_renderer;
    std::unique_ptr<ShellService> m_desktopShell;
    ShellService* m_shell = nullptr;
    std::unique_ptr<QtCanvas> m_measureCanvas; // finds anchors under the pointer
    bool m_layoutDirty = true;
    bool m_syncQueued = false;
    bool m_syncing = false;

    // The corner of the selection that the keyboard (with Shift) or the mouse moves;
    // (Col, Row) is the other one.
    GridCell m_selectionEnd;

    DragMode m_drag = DragMode::None;
    GridCell m_pressCell;
    int m_sizeIndex = -1;
    int m_sizeStartPos = 0;
    int m_sizeStartSize = 0;
    // Set by a double-click on a header border, which fits a column; its release does nothing.
    bool m_borderDoubleClick = false;
    // The last press landed on an anchor and did what its target says.
    bool m_pressOpenedAnchor = false;

    CellEditor* m_editor = nullptr;
    GridCell m_editCell;
    QString m_editOriginal;

    CellHintWindow* m_hint = nullptr;
    GridCell m_hintCell;
};

} // namespace varnok
