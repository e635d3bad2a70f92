#include "grid/view/cellhintwindow.h"

#include <QPalette>

CellHintWindow::CellHintWindow(QWidget* parent)
    : QLabel(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    // A hint of an anchor cell shows the raw markup, so Qt must not take it for rich text.
    setTextFormat(Qt::PlainText);
    setFrameShape(QFrame::Box);
    setMargin(2);
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 255, 0));
    colours.setColor(QPalette::WindowText, QColor(0, 0, 0));
    setPalette(colours);
    setAutoFillBackground(true);
}

void CellHintWindow::ShowAt(const QString& text, const QPoint& globalTopLeft)
{
    setText(text);
    adjustSize();
    move(globalTopLeft);
    show();
}
