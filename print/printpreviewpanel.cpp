#include "print/printpreviewpanel.h"

#include <QPainter>

#include "grid/resultgrid.h"
#include "platform/qt/qtcanvas.h"
#include "platform/qt/qtpageprinter.h"

PrintPreviewPanel::PrintPreviewPanel(QWidget* parent) : QFrame(parent)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void PrintPreviewPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QRect area = contentsRect();
    if (m_grid == nullptr || area.isEmpty())
        return;
    QPainter painter(this);
    painter.fillRect(area, Qt::white);
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    const std::unique_ptr<QtCanvas> canvas = MapToPaper(painter);
    m_grid->PrintState.ScreenResolution = logicalDpiX();
    m_grid->PrintPreview(*canvas, {0, 0, area.width(), area.height()});
    Q_EMIT PageDrawn();
}
