#pragma once

#include <QLabel>

// The hint window of the grid: the stored text of a cell as plain text (markup shown as
// written, never rendered) on a yellow background, without a frame of its own.
class CellHintWindow final : public QLabel {
    Q_OBJECT
public:
    explicit CellHintWindow(QWidget* parent);

    /** Shows `text` with the window's top-left corner at `globalTopLeft`. */
    void ShowAt(const QString& text, const QPoint& globalTopLeft);
};
