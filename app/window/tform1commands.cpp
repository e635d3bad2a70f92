// The commands of the path box, the OK button and the menus, and what a read shows.
#include "app/window/tform1.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cstdlib>
#include <exception>

#include "app/formgeometry.h"
#include "app/welcometext.h"
#include "app/window/userdialogs.h"
#include "grid/resultgrid.h"
#include "grid/table/resultlist.h"
#include "grid/table/rowfit.h"
#include "grid/view/resultgridview.h"
#include "platform/files.h"
#include "platform/qt/qtcanvas.h"
#include "platform/shellservice.h"

namespace varnok {

namespace {

constexpr const char* kOpenFailureMessage =
    "Can't perform one of the following  operations: Open, Seek. in directory ";

// The help files looked for in the start folder, in the order they are opened.
constexpr const char* kHelpFiles[] = {"VNK5.HLP.LNK", "VNK5.HLP"};

std::string FileInFolder(const std::string& folder, const char* name)
{
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

} // namespace

// ---------------------------------------------------------------------------------------
// The open command

void TForm1::BitBtn1Click()
{
    SetFoldersFromPathBox(m_paths, PathBoxText());
    HideDesktopIni(m_paths.CacheFolder);
    HideDesktopIni(m_paths.ContentFolder);
    m_openDialogInitialDir = m_paths.ContentFolder;
    m_openDialogFileName = m_paths.ContentFolder + "index.dat";
    ResultGrid1->hide();
    SelectHistoryFolder1Click();
    m_hintPending = false;
}

void TForm1::BitBtn1Enter()
{
    if (m_pathBoxMenuEnabled)
        return;
    m_pathBoxMenuEnabled = true;
    Edit2->setContextMenuPolicy(Qt::CustomContextMenu);
}

void TForm1::SelectHistoryFolder1Click()
{
    WriteListCaptions(*m_grid);
    SplitCachePath(m_paths);
    m_openDialogInitialDir = m_paths.ContentFolder;
    HideDesktopIni(m_paths.CacheFolder);
    HideDesktopIni(m_paths.ContentFolder);
    // A nested run after a missing file may move the folders; both sets get their
    // desktop.ini back.
    const std::string keptCacheFolder = m_paths.CacheFolder;
    const std::string keptContentFolder = m_paths.ContentFolder;

    const std::optional<std::string> chosen =
        m_dialogs.OpenIndexFile(m_openDialogInitialDir, m_openDialogFileName);
    if (chosen) {
        try {
            m_paths.IndexFilePath = *chosen;
            m_openDialogFileName = *chosen;
            SetPathBoxText(m_paths.IndexFilePath);
            ReadChosenFile();
        } catch (const std::exception&) {
            ShowFileError(kOpenFailureMessage, "File Error " + m_paths.ContentFolder);
        }
    }

    SetPathBoxText(m_paths.IndexFilePath);
    RestoreDesktopIni(m_paths.CacheFolder);
    RestoreDesktopIni(keptCacheFolder);
    RestoreDesktopIni(m_paths.ContentFolder);
    RestoreDesktopIni(keptContentFolder);
}

void TForm1::ReadChosenFile()
{
    if (FileExists(m_paths.IndexFilePath)) {
        m_indexFileOnView = m_paths.IndexFilePath;
        ResetListForRead(*m_grid);
        ScanIndexFile(m_paths.IndexFilePath, ScanMode::OpenCommand, CurrentScanOptions(), *m_grid,
                      *this);
        return;
    }
    SetLabelText(Label4, "");
    m_dialogs.ShowError(kMissingIndexFileMessage);
    SelectHistoryFolder1Click();
}

ScanOptions TForm1::CurrentScanOptions() const
{
    ScanOptions options;
    options.DateFormat = m_options.DateFormat;
    options.ShowAllEntries = m_options.ShowAllEntries;
    options.CellFormatHtml = m_options.CellFormatHtml;
    return options;
}

// ---------------------------------------------------------------------------------------
// Menu commands (the paired options are in tform1menus.cpp)

void TForm1::Clear1Click()
{
    ClearList(*m_grid);
    SetLabelText(Label7, "");
    SetLabelText(Label4, "");
    repaint();
}

void TForm1::Setdefaultpath1Click()
{
    // The stored folder takes effect at the next start; the one in use stays.
    if (Setdefaultpath1->isChecked()) {
        m_settings.WriteText(SettingsKey::CachePath, "");
        Setdefaultpath1->setChecked(false);
        return;
    }
    // After a read the path box shows the index file; the next start wants the cache
    // folder above its content folder, so that is what is stored.
    CachePaths named;
    named.CacheFolder = PathBoxText();
    if (!named.CacheFolder.empty())
        SplitCachePath(named);
    m_settings.WriteText(SettingsKey::CachePath, named.CacheFolder);
    if (!named.CacheFolder.empty())
        Setdefaultpath1->setChecked(true);
}

void TForm1::Showtextonly1Click()
{
    // Unlike the other options, the in-memory switch follows only a successful write.
    const bool textOnly = !Showtextonly1->isChecked();
    m_settings.WriteBoolean(SettingsKey::ShowTextOnly, textOnly);
    Showtextonly1->setChecked(textOnly);
    m_options.ShowAllEntries = !textOnly;
}

void TForm1::SelectFont1Click()
{
    // The dialog opens on the stored face, in the size and style it was last left with.
    m_fontDialogFont.Name = m_settings.ReadText(SettingsKey::FontName);
    const std::optional<FontChoice> chosen = m_dialogs.SelectFont(m_fontDialogFont);
    if (!chosen)
        return;
    m_fontDialogFont = *chosen;
    ApplyChosenFont(*chosen);
    // Style, colour and script stay for this run only.
    m_settings.WriteText(SettingsKey::FontName, chosen->Name);
    m_settings.WriteInteger(SettingsKey::FontSize, chosen->Points);
}

void TForm1::ApplyChosenFont(const FontChoice& choice)
{
    const int pixels =
        std::max(1, choice.Points > 0 ? std::abs(PointsToPixels(choice.Points, FontDotsPerInch()))
                                      : choice.PixelHeight);
    const auto chosenStyle = [&choice, pixels](TGridFont font) {
        font.Name = choice.Name;
        font.Height = pixels;
        font.Bold = choice.Bold;
        font.Italic = choice.Italic;
        font.Underline = choice.Underline;
        font.StrikeOut = choice.StrikeOut;
        return font;
    };
    m_grid->SetFont(chosenStyle(m_grid->Font()));
    m_grid->SetFixedFont(chosenStyle(m_grid->FixedFont()));
    m_grid->SetDefRowHeightEx(DefaultRowHeightFor(pixels));
    // A larger font would cut the visit times until the next resize; they are made to fit
    // now, as a resize would (unless the widths stay as restored for a maximized start).
    if (ColumnsFollowWindowSize(m_options.WinStateAtStart))
        SizeColumnsToGrid();
}

void TForm1::Openhelp1Click()
{
    // Help files of the program's own kind in the start folder come first; without them the
    // user guide installed with the program. A file the desktop cannot open goes unreported.
    bool found = false;
    for (const char* name : kHelpFiles) {
        const std::string path = FileInFolder(m_startFolder, name);
        if (FileExists(path)) {
            static_cast<void>(m_shell->OpenFile(path));
            found = true;
        }
    }
    if (found || !m_userGuide)
        return;
    if (const std::optional<std::string> guide = m_userGuide())
        static_cast<void>(m_shell->OpenFile(*guide));
}

void TForm1::About1Click()
{
    m_dialogs.ShowAbout(AboutText());
}

void TForm1::Exit1Click()
{
    close();
}

// ---------------------------------------------------------------------------------------
// What a read shows

void TForm1::SetStatusText(const std::string& text)
{
    SetLabelText(Label1, text);
    // The read keeps the event loop busy, so the label is drawn now or not at all.
    Label1->repaint();
}

void TForm1::SetIndexSizeText(const std::string& text)
{
    SetLabelText(Label4, text);
}

void TForm1::SetLineCountText(const std::string& text)
{
    SetLabelText(Label7, text);
}

void TForm1::ShowFileError(const std::string& text, const std::string& caption)
{
    m_dialogs.ShowFileError(text, caption);
}

void TForm1::FinishRead(bool giveFocus)
{
    QtCanvas canvas;
    AutoSizeRows(*m_grid, canvas, true);
    RestoreColumnWidths();
    ResultGrid1->show();
    if (giveFocus)
        ResultGrid1->setFocus();
}

} // namespace varnok
