#pragma once

#include "print/printsettingsoptions.h"
#include "print/printsettingswindow.h"

class QWidget;

namespace varnok {

class PrintTarget;
class TResultGrid;

// The print settings of the grid as a component bound to the grid: Execute shows the
// "Print Settings" window modally over a live preview of the first page; OK keeps the
// changes, anything else gives the grid back the settings it had.
class TGridPrintSettingsDialog {
public:
    /** `owner` is the parent of the window (may be null). */
    explicit TGridPrintSettingsDialog(QWidget* owner = nullptr);

    /** True when the window closed with OK. Raises EGridDialogError without a grid. */
    bool Execute();

    TResultGrid* Grid = nullptr;
    TPrintSettingsOptions Options = {psBorders, psGeneral, psFonts,   psDateTime,   psTitle,
                                     psPages,   psMargins, psSpacing, psOrientation};
    bool PrintPreview = true;
    TPrintDimensions PrintDimensions = pdmm;
    PrintTarget* Target = nullptr; // whose paper the preview shows; A4 without one
    // The font dialog; the Qt font dialog unless replaced.
    PrintFontChooser ChooseFont;

private:
    QWidget* m_owner;
};

} // namespace varnok
