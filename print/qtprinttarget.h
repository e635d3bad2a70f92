#pragma once

#include <memory>

#include "print/printtarget.h"

class QPrinter;
class QtPagePrinter;

// The print target of the window: one QPrinter for the whole run, so a printer (or a PDF
// file) chosen in the printer dialog stays chosen for the next print. The printer is made
// on first use, since finding the system's printers takes time the start-up should not.
class QtPrintTarget final : public PrintTarget {
public:
    QtPrintTarget();
    ~QtPrintTarget() override;
    QtPrintTarget(const QtPrintTarget&) = delete;
    QtPrintTarget& operator=(const QtPrintTarget&) = delete;

    [[nodiscard]] bool RunPrintDialog(QWidget* parent) override;
    [[nodiscard]] PagePrinter& Printer() override;
    /** The Qt printer itself. */
    [[nodiscard]] QPrinter& Device();

private:
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QtPagePrinter> m_pagePrinter;
};
