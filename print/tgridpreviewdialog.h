#pragma once

class QWidget;

namespace varnok {

class PrintTarget;
class TResultGrid;

// The preview of the grid's printed pages as a component bound to the grid: Execute shows
// the "Preview" window modally at the remembered size and place, and keeps the window's
// last size and place for the next showing (in memory only).
class TGridPreviewDialog {
public:
    /** `owner` is the parent of the window (may be null). */
    explicit TGridPreviewDialog(QWidget* owner = nullptr) : m_owner(owner) {}

    /** Shows the preview window; false, as it has no OK button. Raises EGridDialogError
     * without a grid. */
    bool Execute();

    [[nodiscard]] int PreviewWidth() const { return m_width; }
    [[nodiscard]] int PreviewHeight() const { return m_height; }
    /** A width below the window's minimum of 350 stores 350. */
    void SetPreviewWidth(int width);
    /** A height below the window's minimum of 100 stores 100. */
    void SetPreviewHeight(int height);

    TResultGrid* Grid = nullptr;
    PrintTarget* Target = nullptr; // where Print prints; nothing prints without one
    bool PreviewFast = false;
    int PreviewLeft = 20;
    int PreviewTop = 0;
    bool PreviewCenter = false;

private:
    QWidget* m_owner;
    int m_width = 750;
    int m_height = 500;
};

} // namespace varnok
