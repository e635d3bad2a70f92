#pragma once

#include "grid/pagelayout/printsettings.h"

class QWidget;

namespace varnok {

class PagePrinter;

// The printer the print commands and the preview's Print button print on: the one the user
// chose last in the printer dialog, the system's default printer at first.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    /** Shows the printer dialog over `parent`, offering the pages 1 to `pageCount`; true
     * when the user confirmed it. */
    [[nodiscard]] virtual bool RunPrintDialog(QWidget* parent, int pageCount) = 0;
    /** The pages asked for in the printer dialog last confirmed: all but for a range. */
    [[nodiscard]] virtual TPageRange ChosenPages() const = 0;
    /** True when the printer as chosen writes a file (PDF) instead of paper. */
    [[nodiscard]] virtual bool PrintsToFile() = 0;
    /** The printer as last chosen, ready for a document even after a failed one. */
    [[nodiscard]] virtual PagePrinter& Printer() = 0;
};

} // namespace varnok
