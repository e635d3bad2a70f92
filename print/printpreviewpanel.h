#pragma once

#include <QFrame>

class TResultGrid;

// A white panel that shows the grid's preview page at its real size: the page is as large
// as the panel's paint area, laid out in tenths of a millimetre at the screen's resolution.
class PrintPreviewPanel final : public QFrame {
    Q_OBJECT
public:
    explicit PrintPreviewPanel(QWidget* parent = nullptr);

    /** The grid to preview (it must outlive the panel); none shows a blank panel. */
    void SetGrid(TResultGrid* grid) { m_grid = grid; }

Q_SIGNALS:
    /** A preview page has been drawn, so the grid's page count is up to date. */
    void PageDrawn();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TResultGrid* m_grid = nullptr;
};
