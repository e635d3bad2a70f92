#pragma once

#include <string>

#include "platform/textcanvas.h"

namespace varnok {

enum TPrinterOrientation { poPortrait, poLandscape };

// A printer as the page layout drives it: paper, a PDF file and the test double all look
// alike through this. Sizes are the printable area in device pixels; the canvas of an open
// document is mapped to tenths of a millimetre with its origin at the printable area's
// top-left corner and y growing downwards, so one layout serves every device.
class PagePrinter {
public:
    /** The unit of the canvas, a tenth of a millimetre, per inch. */
    static constexpr int kTenthMmPerInch = 254;

    virtual ~PagePrinter() = default;

    virtual void SetOrientation(TPrinterOrientation orientation) = 0;
    /** Width of the printable area in device pixels. */
    [[nodiscard]] virtual int PageWidth() const = 0;
    /** Height of the printable area in device pixels. */
    [[nodiscard]] virtual int PageHeight() const = 0;
    /** Device pixels per inch across the page. */
    [[nodiscard]] virtual int ResolutionX() const = 0;
    /** Device pixels per inch down the page. */
    [[nodiscard]] virtual int ResolutionY() const = 0;

    /** Starts a document (its first page) under `title`; false when the device refuses. */
    [[nodiscard]] virtual bool BeginDoc(const std::string& title) = 0;
    /** Ends the current page and starts the next one. */
    virtual void NewPage() = 0;
    /** Finishes the document; false when it could not be completed. */
    [[nodiscard]] virtual bool EndDoc() = 0;
    /** The drawing surface of the open document, in 0.1 mm. */
    [[nodiscard]] virtual TextCanvas& Canvas() = 0;
};

} // namespace varnok
