#pragma once

#include <QFrame>

#include "platform/canvastypes.h"

namespace varnok {

class PrintTarget;
class TResultGrid;

// A white panel that shows the grid's preview page as the paper gets it: laid out on the
// printable area of the target's paper (A4 without a target) in the print settings'
// orientation, and drawn scaled to fit the panel, framed in grey.
class PrintPreviewPanel final : public QFrame {
    Q_OBJECT
public:
    explicit PrintPreviewPanel(QWidget* parent = nullptr);

    /** The grid to preview (it must outlive the panel); none shows a blank panel. */
    void SetGrid(TResultGrid* grid) { m_grid = grid; }
    /** The printer whose paper the pages are laid out on (it must outlive the panel). */
    void SetTarget(PrintTarget* target) { m_target = target; }

Q_SIGNALS:
    /** A preview page has been drawn, so the grid's page count is up to date. */
    void PageDrawn();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] TextRect paperArea() const;

    TResultGrid* m_grid = nullptr;
    PrintTarget* m_target = nullptr;
};

} // namespace varnok
