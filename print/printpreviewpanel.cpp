#include "print/printpreviewpanel.h"

#include <QPainter>

#include <algorithm>
#include <utility>

#include "grid/resultgrid.h"
#include "platform/pageprinter.h"
#include "platform/qt/qtcanvas.h"
#include "platform/qt/qtpageprinter.h"
#include "print/printtarget.h"

namespace varnok {

namespace {

constexpr int kA4Width = 2100; // 0.1 mm
constexpr int kA4Height = 2970;
constexpr qreal kPaperGap = 6; // pixels between the panel's edge and the page's
const QColor kPaperEdge(128, 128, 128);

} // namespace

PrintPreviewPanel::PrintPreviewPanel(QWidget* parent) : QFrame(parent)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

TextRect PrintPreviewPanel::paperArea() const
{
    if (m_target != nullptr)
        return m_grid->PreparePaper(m_target->Printer());
    TextRect a4{0, 0, kA4Width, kA4Height};
    if (m_grid->PrintSettings.Orientation == poLandscape)
        std::swap(a4.Right, a4.Bottom);
    return a4;
}

void PrintPreviewPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QRect area = contentsRect();
    if (m_grid == nullptr || area.isEmpty())
        return;
    const TextRect paper = paperArea();
    const int paperWidth = paper.Right - paper.Left;
    const int paperHeight = paper.Bottom - paper.Top;
    const QRectF room = QRectF(area).adjusted(kPaperGap, kPaperGap, -kPaperGap, -kPaperGap);
    if (paperWidth <= 0 || paperHeight <= 0 || room.isEmpty())
        return;
    // Screen pixels per 0.1 mm: the whole page fits the room.
    const qreal scale = std::min(room.width() / paperWidth, room.height() / paperHeight);
    const QSizeF size(paperWidth * scale, paperHeight * scale);
    const QRectF page(room.center() - QPointF(size.width() / 2, size.height() / 2), size);

    QPainter painter(this);
    painter.fillRect(area, Qt::white);
    painter.setPen(kPaperEdge);
    painter.drawRect(page.adjusted(-1, -1, 0, 0));
    painter.setClipRect(page);
    painter.translate(page.topLeft());
    // MapToPaper maps 0.1 mm to the screen's real size; the page is drawn at `scale`.
    painter.scale(scale * PagePrinter::kTenthMmPerInch / logicalDpiX(),
                  scale * PagePrinter::kTenthMmPerInch / logicalDpiY());
    const std::unique_ptr<QtCanvas> canvas = MapToPaper(painter);
    m_grid->PrintState.ScreenResolution = logicalDpiX();
    m_grid->PrintPreview(*canvas, paper);
    Q_EMIT PageDrawn();
}

} // namespace varnok
