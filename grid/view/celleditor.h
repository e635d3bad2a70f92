#pragma once

#include <QPlainTextEdit>

namespace varnok {

// The in-place editor of a grid cell. Enter ends the edit and keeps the text, Escape
// ends it and drops the text; losing the focus keeps it, as a grid editor does.
class CellEditor final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CellEditor(QWidget* parent);

Q_SIGNALS:
    void Accepted();
    void Cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace varnok
