#include "print/gridprintcommands.h"

#include <QWidget>

#include "grid/resultgrid.h"
#include "platform/pageprinter.h"
#include "platform/qt/qtcanvas.h"
#include "print/printtarget.h"

namespace varnok {

GridPrintCommands::GridPrintCommands(TResultGrid& grid, PrintTarget& target, QWidget* window)
    : GridPreviewDialog1(window), GridPrintSettingsDialog1(window), m_grid(grid), m_target(target),
      m_window(window)
{
    GridPreviewDialog1.Grid = &grid;
    GridPreviewDialog1.Target = &target;
    GridPrintSettingsDialog1.Grid = &grid;
    GridPrintSettingsDialog1.Target = &target;
}

// Column widths are screen pixels; the layout needs to know how large those are.
void GridPrintCommands::takeScreenResolution()
{
    if (m_window != nullptr)
        m_grid.PrintState.ScreenResolution = m_window->logicalDpiX();
}

void GridPrintCommands::prepare()
{
    takeScreenResolution();
    m_grid.PrintState.PreviewFast = false;
}

void GridPrintCommands::Preview()
{
    prepare();
    static_cast<void>(GridPreviewDialog1.Execute());
}

void GridPrintCommands::Settings()
{
    takeScreenResolution();
    static_cast<void>(GridPrintSettingsDialog1.Execute());
}

void GridPrintCommands::PrintAll()
{
    printBlock({0, 0, m_grid.GetColCountEx() - 1, m_grid.GetRowCountEx() - 1});
}

void GridPrintCommands::PrintSelectedCells()
{
    printBlock(m_grid.Selection());
}

void GridPrintCommands::printBlock(TGridRect range)
{
    prepare();
    // Measured as the paper measures: fonts sized in tenths of a millimetre.
    QtCanvas paper;
    paper.SetUnitsPerInch(PagePrinter::kTenthMmPerInch);
    const int pages = m_grid.CountPages(paper, range, m_grid.PreparePaper(m_target.Printer()));
    if (m_target.RunPrintDialog(m_window, pages))
        m_grid.PrintRect(range, m_target.Printer(), m_target.ChosenPages());
}

} // namespace varnok
