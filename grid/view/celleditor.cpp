#include "grid/view/celleditor.h"

#include <QKeyEvent>

namespace varnok {

CellEditor::CellEditor(QWidget* parent) : QPlainTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    document()->setDocumentMargin(1);
}

void CellEditor::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Shift+Enter starts a new line within the cell.
        if (!(event->modifiers() & Qt::ShiftModifier)) {
            Q_EMIT Accepted();
            return;
        }
        break;
    case Qt::Key_Escape:
        Q_EMIT Cancelled();
        return;
    default:
        break;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CellEditor::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    // A pop-up (the context menu of the editor itself) takes the focus only for a moment.
    if (event->reason() != Qt::PopupFocusReason) {
        Q_EMIT Accepted();
    }
}

} // namespace varnok
