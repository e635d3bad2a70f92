#pragma once

#include <memory>

#include "print/printtarget.h"

class QPrinter;

namespace varnok {

class QtPagePrinter;

// The print target of the window: one QPrinter for the whole run, so a printer (or a PDF
// file) chosen in the printer dialog stays chosen for the next print. The printer is made
// on first use, since finding the system's printers takes time the start-up should not.
// A QPrinter whose document failed to start stays active and refuses every later change
// and document; such a printer is replaced by a fresh one with the same choices.
class QtPrintTarget final : public PrintTarget {
public:
    QtPrintTarget();
    ~QtPrintTarget() override;
    QtPrintTarget(const QtPrintTarget&) = delete;
    QtPrintTarget& operator=(const QtPrintTarget&) = delete;

    [[nodiscard]] bool RunPrintDialog(QWidget* parent, int pageCount) override;
    [[nodiscard]] TPageRange ChosenPages() const override;
    [[nodiscard]] bool PrintsToFile() override;
    [[nodiscard]] PagePrinter& Printer() override;
    /** The Qt printer itself, ready for a document. */
    [[nodiscard]] QPrinter& Device();

private:
    void usePrinter(std::unique_ptr<QPrinter> printer);

    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QtPagePrinter> m_pagePrinter;
};

} // namespace varnok
