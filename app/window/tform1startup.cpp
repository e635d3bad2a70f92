// The start-up sequence: settings, the welcome message and the choice of the cache folder,
// with the first read when the folder came from the command line or the stored default.
#include "app/window/tform1.h"

#include <QAction>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "app/commandline.h"
#include "app/formgeometry.h"
#include "app/startupfolder.h"
#include "app/welcometext.h"
#include "app/window/userdialogs.h"
#include "grid/resultgrid.h"
#include "grid/view/resultgridview.h"
#include "platform/internetcache.h"

namespace varnok {

namespace {

constexpr const char* kSystemCacheFallback = "C:\\Windows\\Temporary Internet Files";

std::string CurrentFolder()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string() : folder.string();
}

} // namespace

// The window's part in the choice of the start-up folder: the folder tried goes into the
// path box, a stored default checks its menu entry, and a folder that cannot be used gets
// its error box (a stored one is forgotten) before the next way is tried.
class TForm1::StartupFolderSteps final : public StartupFolderHost {
public:
    explicit StartupFolderSteps(TForm1& form) : m_form(form) {}

    std::string StoredDefaultFolder() override
    {
        m_form.m_options.DefaultCachePath = m_form.m_settings.ReadText(SettingsKey::CachePath);
        return m_form.m_options.DefaultCachePath;
    }

    void Trying(StartupFolderSource source, const std::string& folder) override
    {
        if (source == StartupFolderSource::CommandLine)
            m_form.SetPathBoxText(folder);
        else
            m_form.Setdefaultpath1->setChecked(true);
    }

    bool Rejected(StartupFolderSource source) override
    {
        m_form.m_dialogs.ShowError(InvalidStartupFolderMessage(source));
        if (source == StartupFolderSource::StoredDefault) {
            m_form.m_settings.WriteText(SettingsKey::CachePath, "");
            m_form.Setdefaultpath1->setChecked(false);
        }
        return true;
    }

private:
    TForm1& m_form;
};

void TForm1::FormCreate()
{
    m_startFolder = CurrentFolder();
    ApplySettings();
    if (m_options.ShowWelcome)
        m_dialogs.ShowInformation(WelcomeText());
    if (ReadStartupFolder())
        return;
    Setdefaultpath1->setChecked(false);
    show();
    LookUpSystemFolder();
}

void TForm1::ApplySettings()
{
    m_options = m_settings.LoadProgramSettings();
    ShowOptionChecks();
    PlaceWindow();
    // In a run started maximized the columns keep their stored widths whatever the window does.
    TColumnSizeSettings columnSize = m_grid->ColumnSize();
    columnSize.SynchWithGrid = ColumnsFollowWindowSize(m_options.WinStateAtStart);
    m_grid->SetColumnSize(columnSize);
    if (m_options.WinStateAtStart == kWinStateMinimized)
        setWindowState(Qt::WindowMinimized);
    else if (m_options.WinStateAtStart == kWinStateMaximized)
        setWindowState(Qt::WindowMaximized);
    else
        setWindowState(Qt::WindowNoState);
    ApplyGridFont();
    Showtextonly1->setChecked(!m_options.ShowAllEntries);
}

void TForm1::PlaceWindow()
{
    // The stored bounds are the window's outer bounds, frame included. A hand-edited or
    // damaged file must not give a window too small to see or larger than any screen.
    const WindowBounds stored{
        m_settings.ReadInteger(SettingsKey::Left), m_settings.ReadInteger(SettingsKey::Top),
        m_settings.ReadInteger(SettingsKey::Width), m_settings.ReadInteger(SettingsKey::Height)};
    const QPoint centre(stored.Left + stored.Width / 2, stored.Top + stored.Height / 2);
    const QScreen* screen = QGuiApplication::screenAt(centre);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    m_placedBounds = UsableWindowBounds(stored, {area.x(), area.y(), area.width(), area.height()});
    // Qt places the frame but sizes the client area. Until the window manager has framed
    // the window the frame is not known, and the size is made to fit once it is.
    const WindowBounds client = ClientBoundsFor(m_placedBounds, CurrentFrameExtents());
    move(m_placedBounds.Left, m_placedBounds.Top);
    resize(client.Width, client.Height);
    m_frameFitPending = true;
    FitFrameToPlacedBounds();
}

FrameExtents TForm1::CurrentFrameExtents() const
{
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

void TForm1::FitFrameToPlacedBounds()
{
    if (!m_frameFitPending || !IsNormalState())
        return;
    const FrameExtents frame = CurrentFrameExtents();
    if (frame.Left == 0 && frame.Top == 0 && frame.Right == 0 && frame.Bottom == 0)
        return;
    m_frameFitPending = false;
    const WindowBounds client = ClientBoundsFor(m_placedBounds, frame);
    if (size() != QSize(client.Width, client.Height)) {
        m_frameFitSize = QSize(client.Width, client.Height);
        resize(m_frameFitSize);
    }
}

void TForm1::ApplyGridFont()
{
    // Only the cell font comes from the settings; the caption row keeps its own font.
    TGridFont font = m_grid->Font();
    font.Name = m_settings.ReadText(SettingsKey::FontName);
    const int pixels =
        PointsToPixels(m_settings.ReadInteger(SettingsKey::FontSize), FontDotsPerInch());
    font.Height = std::max(1, std::abs(pixels));
    m_grid->SetFont(font);
    m_grid->SetDefRowHeightEx(DefaultRowHeightFor(font.Height));
}

int TForm1::FontDotsPerInch() const
{
    const int dpi = logicalDpiY();
    return dpi > 0 ? dpi : 96;
}

bool TForm1::ReadStartupFolder()
{
    StartupFolderSteps steps(*this);
    const std::optional<StartupFolderSource> source =
        ChooseStartupFolder(ParseCommandLine(m_arguments).CacheFolder, steps, m_paths);
    if (!source)
        return false;
    SetPathBoxText(m_paths.CacheFolder);
    // After the stored default's read the list takes the keyboard; after the command line's
    // it does not.
    ReadAtStartup(*source == StartupFolderSource::StoredDefault);
    return true;
}

void TForm1::LookUpSystemFolder()
{
    if (const std::optional<std::string> found = FindInternetCacheFolder()) {
        m_paths.CacheFolder = *found;
    } else {
        m_paths.CacheFolder = kSystemCacheFallback;
        const std::optional<std::string> entered = m_dialogs.InputBox(
            kCachePathNotFound, "Enter cache folder path: ", m_paths.CacheFolder);
        if (!entered)
            return;
        m_paths.CacheFolder = *entered;
        SetPathBoxText(*entered);
    }

    bool exists = ApplyStartupFolderRule(m_paths, m_paths.CacheFolder);
    while (!exists) {
        const std::optional<std::string> entered = m_dialogs.InputBox(
            "Cache path does not exist!", "Enter cache path: ", m_paths.CacheFolder);
        if (!entered)
            break;
        exists = ApplyStartupFolderRule(m_paths, *entered);
    }

    // The folder is only proposed; OK reads it.
    m_openDialogInitialDir = m_paths.ContentFolder;
    ResultGrid1->hide();
    SetPathBoxText(m_paths.CacheFolder);
    BitBtn1->setFocus();
}

void TForm1::ReadAtStartup(bool focusGrid)
{
    m_indexFileOnView = StartupIndexFilePath(m_paths.ContentFolder);
    ReadIndexAtStartup(m_paths.ContentFolder, CurrentScanOptions(), *m_grid, *this);
    show();
    RestoreColumnWidths();
    ResultGrid1->show();
    if (focusGrid)
        ResultGrid1->setFocus();
}

} // namespace varnok
