#pragma once

#include <QDialog>

class QPushButton;

namespace varnok {

class PrintPreviewPanel;
class PrintTarget;
class TResultGrid;

// The "Preview" window: a toolbar with Previous, Next, Print and Close over a white panel
// that shows one page of the whole grid at a time, as the paper gets it; the caption reads
// "Preview - Page N of M". Page Down and Right go to the next page, Page Up and Left to the
// previous one, Home and End to the first and last. The panel keeps 90 % of the room below
// the toolbar, centred in it.
class PreviewWindow final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinimumWidth = 350;
    static constexpr int kMinimumHeight = 100;
    static constexpr int kToolbarHeight = 41;

    /** `grid` and `target` (may be null: Print does nothing) must outlive the window. */
    PreviewWindow(TResultGrid& grid, PrintTarget* target, QWidget* parent = nullptr);

    /** The page shown, from 1. */
    [[nodiscard]] int Page() const;
    [[nodiscard]] PrintPreviewPanel* Panel() const { return m_panel; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    [[nodiscard]] int pageCount() const;
    void showPage(int page);
    void updateButtons();
    void printAll();

    TResultGrid& m_grid;
    PrintTarget* m_target;
    QWidget* m_toolbar = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_close = nullptr;
    PrintPreviewPanel* m_panel = nullptr;
};

} // namespace varnok
