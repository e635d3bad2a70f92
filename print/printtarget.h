#pragma once

class PagePrinter;
class QWidget;

// The printer the print commands and the preview's Print button print on: the one the user
// chose last in the printer dialog, the system's default printer at first.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    /** Shows the printer dialog over `parent`; true when the user confirmed it. */
    [[nodiscard]] virtual bool RunPrintDialog(QWidget* parent) = 0;
    /** The printer as last chosen. */
    [[nodiscard]] virtual PagePrinter& Printer() = 0;
};
