#include "platform/qt/qtpageprinter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPalette>

#include <stdexcept>

#include "platform/qt/cp1252.h"
#include "platform/qt/qtcanvas.h"

namespace varnok {

namespace {

// Black ink on white paper, whatever the desktop uses.
QPalette paperPalette()
{
    QPalette palette;
    for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Window, QPalette::Button})
        palette.setColor(role, Qt::white);
    for (const QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, Qt::black);
    return palette;
}

} // namespace

std::unique_ptr<QtCanvas> MapToPaper(QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    painter.scale(static_cast<double>(device->logicalDpiX()) / PagePrinter::kTenthMmPerInch,
                  static_cast<double>(device->logicalDpiY()) / PagePrinter::kTenthMmPerInch);
    auto canvas = std::make_unique<QtCanvas>(painter, paperPalette());
    canvas->SetUnitsPerInch(PagePrinter::kTenthMmPerInch);
    return canvas;
}

QtPagePrinter::QtPagePrinter(QPagedPaintDevice& device, TitleSetter setTitle)
    : m_device(device), m_setTitle(std::move(setTitle))
{
}

QtPagePrinter::~QtPagePrinter()
{
    m_canvas.reset();
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

void QtPagePrinter::SetOrientation(TPrinterOrientation orientation)
{
    m_device.setPageOrientation(orientation == poLandscape ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
}

int QtPagePrinter::PageWidth() const
{
    return m_device.width();
}

int QtPagePrinter::PageHeight() const
{
    return m_device.height();
}

int QtPagePrinter::ResolutionX() const
{
    return m_device.logicalDpiX();
}

int QtPagePrinter::ResolutionY() const
{
    return m_device.logicalDpiY();
}

bool QtPagePrinter::BeginDoc(const std::string& title)
{
    if (m_setTitle)
        m_setTitle(DecodeCp1252(title));
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(&m_device)) {
        m_painter.reset();
        return false;
    }
    m_canvas = MapToPaper(*m_painter);
    return true;
}

void QtPagePrinter::NewPage()
{
    m_device.newPage();
}

bool QtPagePrinter::EndDoc()
{
    m_canvas.reset();
    if (!m_painter)
        return false;
    const bool ended = m_painter->end();
    m_painter.reset();
    return ended;
}

TextCanvas& QtPagePrinter::Canvas()
{
    if (!m_canvas)
        throw std::logic_error("No document is open on the printer");
    return *m_canvas;
}

} // namespace varnok
