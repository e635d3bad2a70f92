#include "app/tform1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <filesystem>

#include "app/commandline.h"
#include "app/displaytext.h"
#include "app/formgeometry.h"
#include "app/userdialogs.h"
#include "app/welcometext.h"
#include "grid/resultgrid.h"
#include "grid/view/resultgridview.h"
#include "platform/files.h"
#include "platform/internetcache.h"
#include "platform/privateprofile.h"
#include "platform/qtcanvas.h"

namespace {

constexpr const char* kPathBoxToolTip =
    "Cache folder path. Click OK  to run open dialog or change the path and click OK to open a "
    "different folder.";
constexpr const char* kHintText = "Click OK button to read the index file!";
constexpr const char* kSystemCacheFallback = "C:\\Windows\\Temporary Internet Files";
constexpr const char* kMissingFileMessage =
    "Invalid cache path or data file does not exist, please try again!";
constexpr const char* kOpenFailureMessage =
    "Can't perform one of the following  operations: Open, Seek. in directory ";
constexpr int kToolTipMilliseconds = 15000;
constexpr int kDesignFontPixels = 11;
constexpr int kStatusFontPixels = 16;
constexpr int kWinStateMinimized = 1;
constexpr int kWinStateMaximized = 2;

QString Text(const char* text)
{
    return QString::fromLatin1(text);
}

std::string CurrentFolder()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string() : folder.string();
}

} // namespace

TForm1::TForm1(const std::vector<std::string>& arguments, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_arguments(arguments),
      m_grid(std::make_unique<TResultGrid>())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Varnok 5"));
    CreateControls();
    CreateMenus();
    CreatePopupMenus();

    bool created = false;
    RunGuarded([this, &created] {
        FormCreate();
        created = true;
    });
    // Start-up that ended in an error still leaves a window to work with.
    if (!created)
        show();
}

TForm1::~TForm1()
{
    // The view refers to the grid; it goes first.
    delete ResultGrid1;
    ResultGrid1 = nullptr;
}

// ---------------------------------------------------------------------------------------
// Building the window

void TForm1::CreateControls()
{
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(m_client);
    // The controls' places were made for this font; a larger one would run labels together.
    QFont designFont(QStringLiteral("MS Sans Serif"));
    designFont.setPixelSize(kDesignFontPixels);
    m_client->setFont(designFont);

    Edit2 = new QLineEdit(m_client);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(3, 7, 346, 21);
    Edit2->setToolTip(Text(kPathBoxToolTip));
    Edit2->setToolTipDuration(kToolTipMilliseconds);
    QPalette white = Edit2->palette();
    white.setColor(QPalette::Base, Qt::white);
    Edit2->setPalette(white);
    // The path box has no menu at all until the OK button has had the focus once.
    Edit2->setContextMenuPolicy(Qt::PreventContextMenu);
    connect(Edit2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowPathBoxMenu(pos); });

    BitBtn1 = new QPushButton(QStringLiteral("OK"), m_client);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(364, 7, 61, 20);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setIconSize(QSize(12, 12));
    // Enter on the focused button presses it, as on the system's own buttons.
    BitBtn1->setAutoDefault(true);
    BitBtn1->installEventFilter(this);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { RunGuarded([this] { BitBtn1Click(); }); });

    auto makeLabel = [this](const char* name, const char* text, int left, int top) {
        auto* label = new QLabel(Text(text), m_client);
        label->setObjectName(Text(name));
        label->move(left, top);
        label->adjustSize();
        return label;
    };
    Label6 = makeLabel("Label6", "Number of lines: ", 436, 0);
    // The count goes at its design place unless the caption before it came out wider
    // in the font at hand than in the one the layout was made for.
    Label7 = makeLabel("Label7", "", std::max(520, Label6->geometry().right() + 1), 0);
    Label5 = makeLabel("Label5", "Index size:", 566, 0);
    Label4 = makeLabel("Label4", "", 566, 13);
    Label1 = makeLabel("Label1", "", 49, 81);
    QFont statusFont = Label1->font();
    statusFont.setPixelSize(kStatusFontPixels);
    Label1->setFont(statusFont);

    // Created after the status label, so the grid covers it whenever it is shown.
    ResultGrid1 = new TResultGridView(*m_grid, m_client);
    ResultGrid1->setObjectName(QStringLiteral("ResultGrid1"));
    ResultGrid1->setGeometry(4, 39, 621, 293);
    connect(ResultGrid1, &TResultGridView::ContextMenuRequested, this,
            [this](const QPoint& globalPos) { PopupMenu2->popup(globalPos); });
    // The grid starts with the column widths of the last run.
    PrivateProfile profile(m_settings.FilePath());
    m_grid->LoadColSizes(profile);

    m_client->installEventFilter(this);
}

void TForm1::ConnectCommand(QAction* action, void (TForm1::*handler)())
{
    connect(action, &QAction::triggered, this, [this, action, handler] {
        // A click toggles a checkable entry before the command runs; the commands set
        // their marks themselves, and one that fails must leave them as they were.
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        RunGuarded([this, handler] { (this->*handler)(); });
    });
}

QAction* TForm1::AddCommand(QMenu& menu, const char* caption, const char* name,
                            void (TForm1::*handler)())
{
    QAction* action = menu.addAction(Text(caption));
    action->setObjectName(Text(name));
    ConnectCommand(action, handler);
    return action;
}

QAction* TForm1::AddPlaceholder(QMenu& menu, const char* caption, const char* name)
{
    // Listed so the menus are complete; the command behind it is not available yet.
    QAction* action = menu.addAction(Text(caption));
    action->setObjectName(Text(name));
    action->setEnabled(false);
    return action;
}

void TForm1::CreateMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    auto topLevelCommand = [this](const char* caption, const char* name,
                                  void (TForm1::*handler)()) {
        QAction* action = MainMenu1->addAction(Text(caption));
        action->setObjectName(Text(name));
        if (handler)
            ConnectCommand(action, handler);
        else
            action->setEnabled(false);
        return action;
    };
    auto subMenu = [this](const char* caption, const char* name) {
        QMenu* menu = MainMenu1->addMenu(Text(caption));
        menu->setObjectName(Text(name));
        return menu;
    };

    SelectHistoryFolder1 = topLevelCommand("Select Cac&he", "SelectHistoryFolder1",
                                           &TForm1::SelectHistoryFolder1Click);
    // The menu's default entry is shown in bold.
    QFont bold = SelectHistoryFolder1->font();
    bold.setBold(true);
    SelectHistoryFolder1->setFont(bold);
    topLevelCommand("Open in &Browser", "OpenURL2", nullptr);

    QMenu* save = subMenu("&Save...  ", "Save1");
    AddPlaceholder(*save, "as text file", "astextfile1");
    AddPlaceholder(*save, "as Excel file", "asExcelfile1");
    AddPlaceholder(*save, "as HTML file", "asHTMLfile1");

    QMenu* print = subMenu("&Print     ", "Print1");
    AddPlaceholder(*print, "Pre&view", "Preview1");
    AddPlaceholder(*print, "&Settings", "Settings1");
    AddPlaceholder(*print, "Print all", "Printall1")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    AddPlaceholder(*print, "Print selected &cells", "Printselectedcells1");

    QMenu* find = subMenu("&Find", "Find1");
    AddPlaceholder(*find, "Find", "Find2")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    AddPlaceholder(*find, "Find next", "Findnext1")->setShortcut(QKeySequence(Qt::Key_F3));

    Clear1 = topLevelCommand("&Clear     ", "Clear1", &TForm1::Clear1Click);

    QMenu* options = subMenu("&Options     ", "Options1");
    Dateformatmdy1 = AddCommand(*options, "Date format: &m/d/y", "Dateformatmdy1",
                                &TForm1::Dateformatmdy1Click);
    Dateformatdmy1 = AddCommand(*options, "Date format: &d/m/y", "Dateformatdmy1",
                                &TForm1::Dateformatdmy1Click);
    AddPlaceholder(*options, "Select &Font", "SelectFont1");
    Donotshowwelcome1 = AddCommand(*options, "Do &not show welcome", "Donotshowwelcome1",
                                   &TForm1::Donotshowwelcome1Click);
    Showwelcomewindow1 = AddCommand(*options, "&Show welcome window", "Showwelcomewindow1",
                                    &TForm1::Showwelcomewindow1Click);
    Setdefaultpath1 = AddCommand(*options, "Set default cache &path", "Setdefaultpath1",
                                 &TForm1::Setdefaultpath1Click);
    Showtextonly1 = AddCommand(*options, "Show text only", "Showtextonly1",
                               &TForm1::Showtextonly1Click);
    Cellformattext1 = AddCommand(*options, "Cell format: &text", "Cellformattext1",
                                 &TForm1::Cellformattext1Click);
    CellformatHTML1 = AddCommand(*options, "Cell format: &HTML", "CellformatHTML1",
                                 &TForm1::CellformatHTML1Click);
    for (QAction* action : {Dateformatmdy1, Dateformatdmy1, Donotshowwelcome1, Showwelcomewindow1,
                            Setdefaultpath1, Showtextonly1, Cellformattext1, CellformatHTML1})
        action->setCheckable(true);
    Cellformattext1->setChecked(true);

    QMenu* help = subMenu("He&lp   ", "Help1");
    AddPlaceholder(*help, "&Open help", "Openhelp1");
    About1 = AddCommand(*help, "&About", "About1", &TForm1::About1Click);

    Exit1 = topLevelCommand("E&xit", "Exit1", &TForm1::Exit1Click);
}

void TForm1::CreatePopupMenus()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(Text(kHintText))->setObjectName(QStringLiteral("PopupHint1"));

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    AddPlaceholder(*PopupMenu2, "Open in browser", "Openinbrowser1");
    AddPlaceholder(*PopupMenu2, "Copy cell", "Copycell1");
    AddPlaceholder(*PopupMenu2, "Print cell", "Printcell1");
}

// ---------------------------------------------------------------------------------------
// Start-up

void TForm1::FormCreate()
{
    m_startFolder = CurrentFolder();
    ApplySettings();
    if (m_options.ShowWelcome)
        m_dialogs.ShowInformation(WelcomeText());
    if (TryCommandLineFolder() || TryDefaultFolder())
        return;
    Setdefaultpath1->setChecked(false);
    show();
    LookUpSystemFolder();
}

void TForm1::ApplySettings()
{
    m_options = m_settings.LoadProgramSettings();

    if (m_options.DateFormat == 1)
        SetChecks(Dateformatmdy1, Dateformatdmy1);
    else if (m_options.DateFormat == 2)
        SetChecks(Dateformatdmy1, Dateformatmdy1);

    PlaceWindow();
    if (m_options.WinStateAtStart == kWinStateMinimized)
        setWindowState(Qt::WindowMinimized);
    else if (m_options.WinStateAtStart == kWinStateMaximized)
        setWindowState(Qt::WindowMaximized);
    else
        setWindowState(Qt::WindowNoState);

    ApplyGridFont();

    if (m_options.ShowWelcome)
        SetChecks(Showwelcomewindow1, Donotshowwelcome1);
    else
        SetChecks(Donotshowwelcome1, Showwelcomewindow1);
    if (m_options.CellFormatHtml)
        SetChecks(CellformatHTML1, Cellformattext1);
    else
        SetChecks(Cellformattext1, CellformatHTML1);
    Showtextonly1->setChecked(!m_options.ShowAllEntries);
}

void TForm1::PlaceWindow()
{
    // Left and Top place the window frame, Width and Height size the window without it,
    // so what close stores comes back unchanged at the next start. A hand-edited or
    // damaged file must not give a window too small to see or larger than any screen.
    const WindowBounds stored{
        m_settings.ReadInteger(SettingsKey::Left), m_settings.ReadInteger(SettingsKey::Top),
        m_settings.ReadInteger(SettingsKey::Width), m_settings.ReadInteger(SettingsKey::Height)};
    const QPoint centre(stored.Left + stored.Width / 2, stored.Top + stored.Height / 2);
    const QScreen* screen = QGuiApplication::screenAt(centre);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const WindowBounds bounds =
        UsableWindowBounds(stored, {area.x(), area.y(), area.width(), area.height()});
    move(bounds.Left, bounds.Top);
    resize(bounds.Width, bounds.Height);
}

void TForm1::ApplyGridFont()
{
    // Only the cell font comes from the settings; the caption row keeps its own font.
    TGridFont font = m_grid->Font();
    font.Name = m_settings.ReadText(SettingsKey::FontName);
    const int pixels = PointsToPixels(m_settings.ReadInteger(SettingsKey::FontSize),
                                      FontDotsPerInch());
    font.Height = std::max(1, std::abs(pixels));
    m_grid->SetFont(font);
    m_grid->SetDefRowHeightEx(DefaultRowHeightFor(font.Height));
}

int TForm1::FontDotsPerInch() const
{
    const int dpi = logicalDpiY();
    return dpi > 0 ? dpi : 96;
}

bool TForm1::TryCommandLineFolder()
{
    const std::optional<std::string> folder = ParseCommandLine(m_arguments).CacheFolder;
    if (!folder)
        return false;
    m_paths.CacheFolder = *folder;
    SetPathBoxText(*folder);
    if (ApplyStartupFolderRule(m_paths, *folder)) {
        SetPathBoxText(m_paths.CacheFolder);
        ReadAtStartup(false);
        return true;
    }
    m_dialogs.ShowError("Invalid Cache path in command line,\t please try again!");
    return false;
}

bool TForm1::TryDefaultFolder()
{
    m_options.DefaultCachePath = m_settings.ReadText(SettingsKey::CachePath);
    if (m_options.DefaultCachePath.empty())
        return false;
    Setdefaultpath1->setChecked(true);
    if (ApplyStartupFolderRule(m_paths, m_options.DefaultCachePath)) {
        SetPathBoxText(m_paths.CacheFolder);
        ReadAtStartup(true);
        return true;
    }
    m_dialogs.ShowError("Invalid default Cache path,please set default path new!");
    m_settings.WriteText(SettingsKey::CachePath, "");
    Setdefaultpath1->setChecked(false);
    return false;
}

void TForm1::LookUpSystemFolder()
{
    if (const std::optional<std::string> found = FindInternetCacheFolder()) {
        m_paths.CacheFolder = *found;
    } else {
        m_paths.CacheFolder = kSystemCacheFallback;
        const std::optional<std::string> entered =
            m_dialogs.InputBox("Cache path not found!", "Enter cache folder path: ",
                               m_paths.CacheFolder);
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
    ReadIndexAtStartup(m_paths.ContentFolder, CurrentScanOptions(), *m_grid, *this);
    show();
    PrivateProfile profile(m_settings.FilePath());
    m_grid->LoadColSizes(profile);
    ResultGrid1->show();
    if (focusGrid)
        ResultGrid1->setFocus();
}

QWidget* TForm1::ResultGrid1View() const
{
    return ResultGrid1;
}

void TForm1::SetStartupDone()
{
    m_startupDone = true;
}

void TForm1::ApplyStartWindowState()
{
    RunGuarded([this] {
        setWindowState(m_options.WinStateAtStart == kWinStateMaximized ? Qt::WindowMaximized
                                                                       : Qt::WindowNoState);
        activateWindow();
        raise();
    });
}

// ---------------------------------------------------------------------------------------
// Layout, paint and close

void TForm1::FormResize()
{
    const GridBounds bounds = GridBoundsFor(ResultGrid1->x(), Edit2->y(), Edit2->height(),
                                            m_client->width(), m_client->height());
    ResultGrid1->setGeometry(bounds.Left, bounds.Top, bounds.Right - bounds.Left,
                             bounds.Bottom - bounds.Top);
    // Shown before the columns are sized: a hidden grid takes its new size only when it
    // shows, and would then scale the widths set here along with its width.
    ResultGrid1->show();
    if (m_startupDone && m_options.WinStateAtStart != kWinStateMaximized) {
        const int width = bounds.Right - bounds.Left;
        m_grid->SetColWidth(0, kNumberColumnWidth);
        m_grid->SetColWidth(2, VisitColumnWidthFor(width));
        m_grid->SetColWidth(
            1, std::max(0, AddressColumnWidthFor(width, m_grid->ColWidth(0), m_grid->ColWidth(2))));
    }
    if (isMinimized())
        return;
    if (m_startupDone)
        m_settings.WriteInteger(SettingsKey::WinState, isMaximized() ? kWinStateMaximized : 0);
}

void TForm1::FormPaint()
{
    if (m_settings.FileExists())
        m_resizeOnPaint = false;
    // A pop-up menu takes the keyboard. Over an input box of start-up it would swallow
    // what the user types, so the hint waits for a paint with no box up.
    if (!QApplication::activeModalWidget()) {
        if (!Setdefaultpath1->isChecked() && m_hintPending && m_options.ShowWelcome)
            ShowHint();
        m_hintPending = false;
    }
    if (m_resizeOnPaint)
        FormResize();
}

void TForm1::ShowHint()
{
    const int x = this->x() + Edit2->x() + Edit2->width() / 2;
    const int y = this->y() + Edit2->y() + Edit2->height() + 50;
    PopupMenu1->popup(QPoint(x - PopupMenu1->sizeHint().width() / 2, y));
}

void TForm1::ShowPathBoxMenu(const QPoint& pos)
{
    const QPoint at = Edit2->mapToGlobal(pos);
    PopupMenu1->popup(QPoint(at.x() - PopupMenu1->sizeHint().width() / 2, at.y()));
}

void TForm1::FormDeactivate()
{
    // The window is the program's only top-level window, so when it is minimised its
    // task-bar entry goes with it; there is nothing further to minimise.
}

bool TForm1::IsNormalState() const
{
    return (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) ==
           0;
}

void TForm1::FormClose()
{
    // A settings file that refuses the writes must not keep the window open, nor keep the
    // evidence folders' desktop.ini under its other name: report, then finish closing.
    m_closing = true;
    RunGuarded([this] {
        if (ResultGrid1->isVisibleTo(this))
            m_settings.WriteColumnWidths(*m_grid);
        if (IsNormalState()) {
            m_settings.WriteInteger(SettingsKey::Top, y());
            m_settings.WriteInteger(SettingsKey::Left, x());
            m_settings.WriteInteger(SettingsKey::Height, height());
            m_settings.WriteInteger(SettingsKey::Width, width());
        }
    });
    RestoreDesktopIni(m_paths.CacheFolder);
    RestoreDesktopIni(m_paths.ContentFolder);
}

void TForm1::FormKeyUp(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        BitBtn1Click();
}

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
    WriteHeaderCells();
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
        ResetGridForRead();
        ScanIndexFile(m_paths.IndexFilePath, ScanMode::OpenCommand, CurrentScanOptions(), *m_grid,
                      *this);
        return;
    }
    SetLabelText(Label4, "");
    m_dialogs.ShowError(kMissingFileMessage);
    SelectHistoryFolder1Click();
}

void TForm1::WriteHeaderCells()
{
    m_grid->SetCellEx(0, 0, "No.");
    m_grid->SetCellEx(1, 0, "URL   ");
    m_grid->SetCellEx(2, 0, "Latest visit");
}

void TForm1::ResetGridForRead()
{
    // Each read shows exactly the chosen file's entries, numbered from 1: the list goes
    // back to its caption row and one empty row, as after Clear, but keeps its sort column.
    const int sortColumn = m_grid->SortSettings.Column;
    m_grid->Clear();
    m_grid->SetRowCountEx(2);
    m_grid->SortSettings.Column = sortColumn;
    WriteHeaderCells();
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
// Menu commands

void TForm1::Clear1Click()
{
    m_grid->Clear();
    SetLabelText(Label7, "");
    SetLabelText(Label4, "");
    m_grid->SortSettings.Column = 0;
    repaint();
    m_grid->SetRowCountEx(2);
}

void TForm1::SetChecks(QAction* on, QAction* off)
{
    on->setChecked(true);
    off->setChecked(false);
}

void TForm1::Dateformatmdy1Click()
{
    m_options.DateFormat = 1;
    m_settings.WriteInteger(SettingsKey::DateFormat, 1);
    SetChecks(Dateformatmdy1, Dateformatdmy1);
}

void TForm1::Dateformatdmy1Click()
{
    m_options.DateFormat = 2;
    m_settings.WriteInteger(SettingsKey::DateFormat, 2);
    SetChecks(Dateformatdmy1, Dateformatmdy1);
}

void TForm1::Donotshowwelcome1Click()
{
    m_options.ShowWelcome = false;
    m_settings.WriteBoolean(SettingsKey::ShowWelcomeWindow, false);
    SetChecks(Donotshowwelcome1, Showwelcomewindow1);
}

void TForm1::Showwelcomewindow1Click()
{
    m_options.ShowWelcome = true;
    m_settings.WriteBoolean(SettingsKey::ShowWelcomeWindow, true);
    SetChecks(Showwelcomewindow1, Donotshowwelcome1);
}

void TForm1::Setdefaultpath1Click()
{
    // The stored folder takes effect at the next start; the one in use stays.
    if (Setdefaultpath1->isChecked()) {
        m_settings.WriteText(SettingsKey::CachePath, "");
        Setdefaultpath1->setChecked(false);
        return;
    }
    const std::string path = PathBoxText();
    m_settings.WriteText(SettingsKey::CachePath, path);
    if (!path.empty())
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

void TForm1::Cellformattext1Click()
{
    m_options.CellFormatHtml = false;
    m_settings.WriteBoolean(SettingsKey::CellFormatHtml, false);
    SetChecks(Cellformattext1, CellformatHTML1);
}

void TForm1::CellformatHTML1Click()
{
    m_options.CellFormatHtml = true;
    m_settings.WriteBoolean(SettingsKey::CellFormatHtml, true);
    SetChecks(CellformatHTML1, Cellformattext1);
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
    m_grid->AutoSizeRows(canvas, true, 15);
    PrivateProfile profile(m_settings.FilePath());
    m_grid->LoadColSizes(profile);
    ResultGrid1->show();
    if (giveFocus)
        ResultGrid1->setFocus();
}

// ---------------------------------------------------------------------------------------
// Helpers and Qt events

void TForm1::SetPathBoxText(const std::string& path)
{
    Edit2->setText(PathToDisplay(path));
}

std::string TForm1::PathBoxText() const
{
    return PathFromDisplay(Edit2->text());
}

void TForm1::SetLabelText(QLabel* label, const std::string& text)
{
    label->setText(DisplayText(text));
    label->adjustSize();
}

void TForm1::RunGuarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        if (IsNewError(error))
            ShowErrorBox(error.what());
    }
}

void TForm1::RunGuardedInEvent(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& error) {
        // A modal box runs an event loop of its own; opened in the middle of a resize or a
        // paint, it lets further resizes and paints run inside this one, and the toolkit's
        // layout code does not survive that. The box waits until the event is over.
        if (IsNewError(error)) {
            QMetaObject::invokeMethod(
                this, [this, text = std::string(error.what())] { ShowErrorBox(text); },
                Qt::QueuedConnection);
        }
    }
}

bool TForm1::IsNewError(const std::exception& error) const
{
    // A settings folder that cannot be written fails every write, and every resize writes:
    // the user hears of it once, and again only after a write has succeeded in between.
    const auto* settingsError = dynamic_cast<const ESettingsWriteError*>(&error);
    return !settingsError || !settingsError->Repeated();
}

void TForm1::ShowErrorBox(const std::string& text)
{
    // One box at a time; one that waited for its event to end is dropped once the
    // window is closing.
    if (m_errorBoxUp || (m_closing && isHidden()))
        return;
    m_errorBoxUp = true;
    m_dialogs.ShowApplicationError(text);
    m_errorBoxUp = false;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        RunGuardedInEvent([this] { FormResize(); });
    else if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isMinimized())
        FormDeactivate();
}

void TForm1::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    // The handler may move the grid and pop up a menu; both wait until painting is over.
    if (m_paintQueued)
        return;
    m_paintQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_paintQueued = false;
            RunGuardedInEvent([this] { FormPaint(); });
        },
        Qt::QueuedConnection);
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    // The window's own keys count only while no control inside it has the focus. Only the
    // press counts: the release of the Enter that closed a message box lands here too,
    // and must not start the open command a second time.
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused != this) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    RunGuarded([this, key = event->key()] { FormKeyUp(key); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        RunGuardedInEvent([this] { FormResize(); });
    else if (watched == BitBtn1 && event->type() == QEvent::FocusIn)
        BitBtn1Enter();
    return QMainWindow::eventFilter(watched, event);
}
