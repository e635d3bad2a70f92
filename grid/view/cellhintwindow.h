#pragma once

#include <QString>
#include <QTextLayout>
#include <QWidget>

#include <memory>

namespace varnok {

// The hint window of the grid: the stored text of a cell as plain text (markup shown as
// written, never rendered) on a yellow background in a thin frame. It opens below and
// right of the pointer, stays on the pointer's screen, and wraps a long text (at blanks,
// or anywhere in a long address) instead of cutting it.
class CellHintWindow final : public QWidget {
    Q_OBJECT
public:
    explicit CellHintWindow(QWidget* parent);
    ~CellHintWindow() override;
    CellHintWindow(const CellHintWindow&) = delete;
    CellHintWindow& operator=(const CellHintWindow&) = delete;

    /** Shows `text` for the pointer at `globalPointer`. */
    void ShowAt(const QString& text, const QPoint& globalPointer);
    /** The text shown, line breaks as given. */
    [[nodiscard]] const QString& text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    /** Lays the text out in lines at most `wrapWidth` wide; the size the window needs. */
    [[nodiscard]] QSize layOut(int wrapWidth);

    QString m_text;
    std::unique_ptr<QTextLayout> m_layout;
};

} // namespace varnok
