#include "print/qtprinttarget.h"

#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

#include "platform/qt/qtpageprinter.h"

namespace varnok {

namespace {

// A printer with the choices of `old`: the printer or file, the paper and the options of
// the printer dialog.
std::unique_ptr<QPrinter> sameChoices(const QPrinter& old)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (old.outputFormat() == QPrinter::NativeFormat) {
        printer->setPrinterName(old.printerName());
    } else {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(old.outputFileName());
    }
    printer->setPageLayout(old.pageLayout());
    printer->setCopyCount(old.copyCount());
    printer->setCollateCopies(old.collateCopies());
    printer->setColorMode(old.colorMode());
    printer->setDuplex(old.duplex());
    printer->setPageOrder(old.pageOrder());
    printer->setPrintRange(old.printRange());
    printer->setFromTo(old.fromPage(), old.toPage());
    return printer;
}

} // namespace

QtPrintTarget::QtPrintTarget() = default;

QtPrintTarget::~QtPrintTarget() = default;

void QtPrintTarget::usePrinter(std::unique_ptr<QPrinter> printer)
{
    m_pagePrinter.reset(); // it draws on the printer it replaces
    m_printer = std::move(printer);
    QPrinter* device = m_printer.get();
    m_pagePrinter = std::make_unique<QtPagePrinter>(
        *device, [device](const QString& title) { device->setDocName(title); });
}

QPrinter& QtPrintTarget::Device()
{
    if (!m_printer)
        usePrinter(std::make_unique<QPrinter>(QPrinter::HighResolution));
    else if (m_printer->printerState() != QPrinter::Idle)
        usePrinter(sameChoices(*m_printer)); // no document of ours is open between prints
    return *m_printer;
}

PagePrinter& QtPrintTarget::Printer()
{
    static_cast<void>(Device());
    return *m_pagePrinter;
}

bool QtPrintTarget::RunPrintDialog(QWidget* parent, int pageCount)
{
    const int lastPage = std::max(pageCount, 1);
    QPrinter& printer = Device();
    // Unless a range was chosen last time, "Pages from" starts with every page.
    if (printer.printRange() != QPrinter::PageRange)
        printer.setFromTo(1, lastPage);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, lastPage);
    return dialog.exec() == QDialog::Accepted;
}

TPageRange QtPrintTarget::ChosenPages() const
{
    if (!m_printer || m_printer->printRange() != QPrinter::PageRange)
        return {};
    return {m_printer->fromPage(), m_printer->toPage()};
}

bool QtPrintTarget::PrintsToFile()
{
    return Device().outputFormat() == QPrinter::PdfFormat;
}

} // namespace varnok
