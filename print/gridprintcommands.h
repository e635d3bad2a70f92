#pragma once

#include "grid/table/gridtypes.h"
#include "print/tgridpreviewdialog.h"
#include "print/tgridprintsettingsdialog.h"

class QWidget;

namespace varnok {

class PrintTarget;
class TResultGrid;

// The print commands of the main window, each ready to be called from its menu entry:
// Preview, Settings, Print all and Print selected cells (the pop-up's Print cell too),
// with the two print dialogs bound to the grid. A printer that fails raises EGridError.
class GridPrintCommands {
public:
    /** `grid`, `target` and `window` (the dialogs' parent) must outlive the commands. */
    GridPrintCommands(TResultGrid& grid, PrintTarget& target, QWidget* window);

    /** Preview: the preview window, with the page count taken in full. */
    void Preview();
    /** Settings: the print settings window. */
    void Settings();
    /** Print all: the printer dialog, then every cell when it is confirmed. */
    void PrintAll();
    /** Print selected cells: the selection as it is now, printed once the printer dialog is
     * confirmed. */
    void PrintSelectedCells();

    TGridPreviewDialog GridPreviewDialog1;
    TGridPrintSettingsDialog GridPrintSettingsDialog1;

private:
    void takeScreenResolution();
    void prepare();
    // The printer dialog, offering the pages `range` prints on the chosen paper, then the
    // pages chosen in it. `range` is a copy: the selection may move while the dialog is up.
    void printBlock(TGridRect range);

    TResultGrid& m_grid;
    PrintTarget& m_target;
    QWidget* m_window;
};

} // namespace varnok
