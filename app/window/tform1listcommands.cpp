// The commands on the listed entries: Open in Browser, Find, the save commands, Copy cell
// and the print commands.
#include "app/window/tform1.h"

#include "app/savetarget.h"
#include "app/window/gridviewfindhost.h"
#include "grid/resultgrid.h"
#include "grid/table/openinbrowser.h"
#include "grid/view/resultgridview.h"
#include "platform/files.h"
#include "print/gridprintcommands.h"

namespace varnok {

void TForm1::ConnectGridCommands()
{
    ResultGrid1->SetShellService(*m_shell);
    connect(ResultGrid1.get(), &TResultGridView::DblClickCell, this, [this](int col, int row) {
        RunGuarded([this, col, row] { ResultGrid1DblClickCell(col, row); });
    });
    connect(ResultGrid1.get(), &TResultGridView::KeyDown, this,
            [this](int key, Qt::KeyboardModifiers modifiers) {
                RunGuarded([this, key, modifiers] { ResultGrid1KeyDown(key, modifiers); });
            });
    connect(ResultGrid1.get(), &TResultGridView::AnchorRefused, this,
            [this] { RunGuarded([this] { TellOpenRefused(OpenOutcome::Refused); }); });
}

// ---------------------------------------------------------------------------------------
// Open in Browser

void TForm1::OpenURL2Click()
{
    TellOpenRefused(OpenRowInBrowser(*m_grid, m_grid->Row(), *m_shell));
}

void TForm1::TellOpenRefused(OpenOutcome outcome)
{
    // What the desktop makes of an address it was handed goes unreported; an address that
    // was not handed over at all is not left without a word.
    if (outcome == OpenOutcome::Refused)
        m_dialogs.ShowMessage(kOnlyWebAddressesMessage);
}

void TForm1::ResultGrid1DblClickCell(int /*col*/, int row)
{
    // The row clicked, which a click on a normal cell has made the current row; a click on
    // the number column leaves the current row elsewhere but names its row all the same.
    // The caption row opens nothing.
    ResultGrid1->EndEditing(true);
    TellOpenRefused(OpenRowInBrowser(*m_grid, row, *m_shell));
}

void TForm1::ResultGrid1KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (enter && (modifiers & Qt::ControlModifier))
        OpenURL2Click();
    // Ctrl+C copies the selected cells as the pop-up's Copy cell does.
    if (key == Qt::Key_C && (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier |
                                          Qt::ShiftModifier)) == Qt::ControlModifier)
        Copycell1Click();
}

// ---------------------------------------------------------------------------------------
// Find

void TForm1::Find2Click()
{
    GridViewFindHost host(*ResultGrid1, m_dialogs);
    RunFindCommand(*m_grid, host);
}

void TForm1::Findnext1Click()
{
    GridViewFindHost host(*ResultGrid1, m_dialogs);
    RunFindNextCommand(*m_grid, host);
}

// ---------------------------------------------------------------------------------------
// Save and copy

void TForm1::astextfile1Click()
{
    RunSaveCommand(kSaveAsText);
}

void TForm1::asExcelfile1Click()
{
    RunSaveCommand(kSaveAsExcel);
}

void TForm1::asHTMLfile1Click()
{
    RunSaveCommand(kSaveAsHtml);
}

void TForm1::RunSaveCommand(const SaveCommand& command)
{
    SaveFileRequest request{m_settings.ReadText(SettingsKey::InitialDir),
                            ProposedFileName(m_settings.ReadText(SettingsKey::FileName), command),
                            command.DefaultExtension, command.FilterIndex};
    std::optional<std::string> chosen = m_dialogs.SaveFile(request);
    // A file that may not be written sends the user back to the dialog, on the name given.
    while (chosen && !MayWriteSaveTarget(*chosen)) {
        request.InitialDir = FolderOfFileName(*chosen);
        request.FileName = *chosen;
        chosen = m_dialogs.SaveFile(request);
    }
    if (!chosen)
        return;
    SetPathBoxText(*chosen);
    // A writer that fails ends the command here: only a file written is remembered.
    SaveGridAs(*m_grid, command.Format, *chosen);
    m_settings.WriteText(SettingsKey::InitialDir, FolderOfFileName(*chosen));
    m_settings.WriteText(SettingsKey::FileName, *chosen);
}

bool TForm1::MayWriteSaveTarget(const std::string& fileName)
{
    if (const std::optional<std::string> refusal =
            IndexFileTargetRefusal(fileName, m_indexFileOnView)) {
        m_dialogs.ShowError(*refusal);
        return false;
    }
    // A folder is not asked about: the writer reports that it cannot create the file.
    if (!PathExists(fileName) || FolderExists(fileName))
        return true;
    return m_dialogs.ConfirmReplace(ReplaceQuestion(fileName));
}

void TForm1::Copycell1Click()
{
    m_grid->CopySelectionToClipboard(*m_clipboard);
}

// ---------------------------------------------------------------------------------------
// Print

GridPrintCommands& TForm1::PrintCommands()
{
    if (!m_printCommands)
        m_printCommands = std::make_unique<GridPrintCommands>(*m_grid, *m_printTarget, this);
    return *m_printCommands;
}

void TForm1::Preview1Click()
{
    PrintCommands().Preview();
}

void TForm1::Settings1Click()
{
    PrintCommands().Settings();
}

void TForm1::Printall1Click()
{
    PrintCommands().PrintAll();
}

void TForm1::Printselectedcells1Click()
{
    PrintCommands().PrintSelectedCells();
}

} // namespace varnok
