#include "print/gridprintcommands.h"

#include <QWidget>

#include "grid/resultgrid.h"
#include "print/printtarget.h"

GridPrintCommands::GridPrintCommands(TResultGrid& grid, PrintTarget& target, QWidget* window)
    : GridPreviewDialog1(window), GridPrintSettingsDialog1(window), m_grid(grid), m_target(target),
      m_window(window)
{
    GridPreviewDialog1.Grid = &grid;
    GridPreviewDialog1.Target = &target;
    GridPrintSettingsDialog1.Grid = &grid;
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
    prepare();
    if (m_target.RunPrintDialog(m_window))
        m_grid.Print(m_target.Printer());
}

void GridPrintCommands::PrintSelectedCells()
{
    const TGridRect selection = m_grid.Selection;
    prepare();
    if (m_target.RunPrintDialog(m_window))
        m_grid.PrintRect(selection, m_target.Printer());
}
