#include "print/qtprinttarget.h"

#include <QPrintDialog>
#include <QPrinter>

#include "platform/qt/qtpageprinter.h"

QtPrintTarget::QtPrintTarget() = default;

QtPrintTarget::~QtPrintTarget() = default;

QPrinter& QtPrintTarget::Device()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        QPrinter* printer = m_printer.get();
        m_pagePrinter = std::make_unique<QtPagePrinter>(
            *printer, [printer](const QString& title) { printer->setDocName(title); });
    }
    return *m_printer;
}

PagePrinter& QtPrintTarget::Printer()
{
    static_cast<void>(Device());
    return *m_pagePrinter;
}

bool QtPrintTarget::RunPrintDialog(QWidget* parent)
{
    QPrintDialog dialog(&Device(), parent);
    return dialog.exec() == QDialog::Accepted;
}
