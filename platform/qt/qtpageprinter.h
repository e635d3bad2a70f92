#pragma once

#include <QString>

#include <functional>
#include <memory>

#include "platform/pageprinter.h"

class QPagedPaintDevice;
class QPainter;

namespace varnok {

class QtCanvas;

/** Maps `painter` to tenths of a millimetre at its device's resolution; the canvas over it
 * draws system colours as on white paper: black text on white. */
[[nodiscard]] std::unique_ptr<QtCanvas> MapToPaper(QPainter& painter);

// PagePrinter over a Qt paged device: a QPrinter (any CUPS printer, or PDF output) or a
// QPdfWriter. The document's painter is scaled to tenths of a millimetre, and its canvas
// gets fonts sized in those units, so text comes out at its point size whatever the
// device's resolution. System colours print as on white paper: black text on white.
class QtPagePrinter final : public PagePrinter {
public:
    // How the device names its document (QPrinter::setDocName, QPdfWriter::setTitle).
    using TitleSetter = std::function<void(const QString&)>;

    /** `device` must outlive the printer. */
    QtPagePrinter(QPagedPaintDevice& device, TitleSetter setTitle);
    ~QtPagePrinter() override;
    QtPagePrinter(const QtPagePrinter&) = delete;
    QtPagePrinter& operator=(const QtPagePrinter&) = delete;

    void SetOrientation(TPrinterOrientation orientation) override;
    [[nodiscard]] int PageWidth() const override;
    [[nodiscard]] int PageHeight() const override;
    [[nodiscard]] int ResolutionX() const override;
    [[nodiscard]] int ResolutionY() const override;
    [[nodiscard]] bool BeginDoc(const std::string& title) override;
    void NewPage() override;
    [[nodiscard]] bool EndDoc() override;
    /** The open document's canvas; only valid between BeginDoc and EndDoc. */
    [[nodiscard]] TextCanvas& Canvas() override;

private:
    QPagedPaintDevice& m_device;
    TitleSetter m_setTitle;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QtCanvas> m_canvas;
};

} // namespace varnok
