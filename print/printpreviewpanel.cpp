#include "print/printpreviewpanel.h"

#include <QPainter>

#include "grid/resultgrid.h"
#include "platform/qt/qtcanvas.h"
#include "platform/qt/qtpageprinter.h"

namespace {

constexpr double kTenthMmPerInch = 254.0;

} // namespace

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
    painter.scale(logicalDpiX() / kTenthMmPerInch, logicalDpiY() / kTenthMmPerInch);
    QtCanvas canvas(painter, PaperPalette());
    canvas.SetUnitsPerInch(static_cast<int>(kTenthMmPerInch));
    m_grid->PrintState.ScreenResolution = logicalDpiX();
    m_grid->PrintPreview(canvas, {0, 0, area.width(), area.height()});
    Q_EMIT PageDrawn();
}
