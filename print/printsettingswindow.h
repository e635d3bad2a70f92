#pragma once

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "grid/pagelayout/printsettings.h"
#include "print/printsettingsoptions.h"

class QFormLayout;
class QGroupBox;

namespace varnok {

class PrintPreviewPanel;
class PrintTarget;
class SettingsField;
class TResultGrid;
struct SettingsGroup;
struct SettingsRow;

// Asks the user for a font, preset with `current`; nothing when the user cancels.
using PrintFontChooser =
    std::function<std::optional<TPrintFont>(QWidget* parent, const TPrintFont& current)>;

// The "Print Settings" window: tabs of grouped controls on the left, the preview of the
// first page on the right, OK and Cancel below. Every change of a control writes all
// controls back into the grid's print settings at once and redraws the preview.
class PrintSettingsWindow final : public QDialog {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 523;
    static constexpr int kClientHeight = 387;

    PrintSettingsWindow(TResultGrid& grid, const TPrintSettingsOptions& options, bool preview,
                        TPrintDimensions dimensions, PrintFontChooser chooseFont,
                        QWidget* parent = nullptr);
    ~PrintSettingsWindow() override;
    PrintSettingsWindow(const PrintSettingsWindow&) = delete;
    PrintSettingsWindow& operator=(const PrintSettingsWindow&) = delete;

    /** The printer whose paper the preview shows (it must outlive the window). */
    void SetPaperOf(PrintTarget* target);

private:
    void buildTabs(const TPrintSettingsOptions& options);
    QGroupBox* buildGroup(const SettingsGroup& group);
    void addRow(QFormLayout& layout, const SettingsRow& row);
    void addUnitChoice(QFormLayout& layout);
    void buildButtons();
    void fillControls();
    void applyEnablingRules();
    void controlChanged();
    void chooseFont(TPrintFont TPrintSettings::*font);
    void setDimensions(TPrintDimensions dimensions);

    TResultGrid& m_grid;
    TPrintDimensions m_dimensions;
    PrintFontChooser m_chooseFont;
    PrintPreviewPanel* m_preview = nullptr;
    std::vector<std::unique_ptr<SettingsField>> m_fields;
    bool m_filling = false;
};

} // namespace varnok
