#pragma once

#include <QMainWindow>
#include <QSize>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/formgeometry.h"
#include "app/savecommands.h"
#include "app/settings.h"
#include "app/window/userdialogs.h"
#include "cacheindex/cachefolders.h"
#include "cacheindex/scanview.h"
#include "grid/indexlisting.h"
#include "grid/table/openinbrowser.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;

namespace varnok {

class Clipboard;
class GridPrintCommands;
class PrintTarget;
class ShellService;
class TResultGrid;
class TResultGridView;
struct MenuEntry;
struct OptionChoice;
struct TopLevelEntry;

// The main window: the path box with its OK button, the labels, the result grid and the
// menus. Creating it runs the start-up sequence (settings, welcome message, choice of the
// cache folder and, for a folder from the command line or the stored default, the first
// read); the program entry then marks start-up as done and applies the window state again.
//
// Every command is a handler named after its control and event. Handlers that Qt calls
// run behind one guard: an error that ends a command (a settings write the file refuses)
// is shown in the application's error box and the program goes on. At most one such box
// is up at a time, one raised in a resize or paint waits until that event is over, and a
// settings write that keeps failing is reported once until a write succeeds again.
//
// The window's parts live in files by concern: tform1.cpp (creation, the guard, window
// events and closing), tform1layout.cpp (controls and their places), tform1menus.cpp (menus
// from tables, the option choices), tform1startup.cpp (the start-up sequence) and
// tform1commands.cpp (the commands and what a read shows).
class TForm1 final : public QMainWindow, public ScanView {
    Q_OBJECT
public:
    /** `arguments` are the command-line arguments after the program's own path; the first "/cache:"
     * among them names the cache folder. `dialogs` must outlive the window. */
    TForm1(const std::vector<std::string>& arguments, UserDialogs& dialogs,
           QWidget* parent = nullptr);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // The desktop services the commands use, the system's own unless replaced (the tests
    // record what the commands hand them). Each must outlive the window.
    /** Opens addresses (Open in Browser and the grid's anchors alike) and help files. */
    void SetShellService(ShellService& shell);
    void SetClipboard(Clipboard& clipboard);
    // Finds the user guide that came with the program; Open help opens it when the start
    // folder holds neither help file.
    using UserGuideLocator = std::function<std::optional<std::string>()>;
    void SetUserGuideLocator(UserGuideLocator locator);

    /** Program entry: creation is over and the message loop is about to run. */
    void SetStartupDone();
    /** Program entry, once the window is on screen: window state once more, then the focus. */
    void ApplyStartWindowState();

    // Window events.
    void FormResize();
    void FormPaint();
    void FormDeactivate();
    void FormClose();
    /** Enter (with no control focused) runs the OK button's command. */
    void FormKeyUp(int key);

    // Commands. The paired options (date order, welcome box, cell format) share one
    // handler, driven by the option table of the menus.
    void BitBtn1Click();
    void BitBtn1Enter();
    void SelectHistoryFolder1Click();
    void Clear1Click();
    void Setdefaultpath1Click();
    void Showtextonly1Click();
    void SelectFont1Click();
    void Openhelp1Click();
    void About1Click();
    void Exit1Click();

    // Commands on the list (tform1listcommands.cpp). Open in Browser acts on the current
    // row, from the menu, the grid's pop-up, a double-click and Ctrl+Enter in the grid;
    // Ctrl+C in the grid copies as Copy cell does.
    void OpenURL2Click();
    void ResultGrid1DblClickCell(int col, int row);
    void ResultGrid1KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void Find2Click();
    void Findnext1Click();
    void astextfile1Click();
    void asExcelfile1Click();
    void asHTMLfile1Click();
    void Copycell1Click();
    void Preview1Click();
    void Settings1Click();
    void Printall1Click();
    void Printselectedcells1Click();

    // ScanView: what a read shows in this window.
    void SetStatusText(const std::string& text) override;
    void SetIndexSizeText(const std::string& text) override;
    void SetLineCountText(const std::string& text) override;
    void ShowFileError(const std::string& text, const std::string& caption) override;
    void FinishRead(bool giveFocus) override;

    // State, for the program entry and for tests.
    [[nodiscard]] TResultGrid& Grid() { return *m_grid; }
    [[nodiscard]] const CachePaths& Paths() const { return m_paths; }
    [[nodiscard]] const ProgramSettings& Options() const { return m_options; }
    [[nodiscard]] bool HintPending() const { return m_hintPending; }
    [[nodiscard]] bool ResizeOnPaint() const { return m_resizeOnPaint; }
    /** The folder the open dialog will be preset with. */
    [[nodiscard]] const std::string& OpenDialogInitialDir() const { return m_openDialogInitialDir; }
    /** The widget that shows the grid. */
    [[nodiscard]] QWidget* ResultGrid1View() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class StartupFolderSteps;

    // Layout (tform1layout.cpp).
    void CreateControls();
    void CreatePathBox();
    void CreateOkButton();
    void CreateLabels();
    void PlaceCountLabels();
    void CreateResultGrid();
    /** The column widths of the resize rule for the grid's width and cell font. */
    void SizeColumnsToGrid();
    /** The widths the settings file holds, if any. */
    void RestoreColumnWidths();
    /** At the first paint once start-up is done: the window is on the screen. */
    void WindowAppeared();
    void ShowHint();
    void HideHint();
    void ShowPathBoxMenu(const QPoint& pos);
    void SetPathBoxText(const std::string& path);
    [[nodiscard]] std::string PathBoxText() const;
    void SetLabelText(QLabel* label, const std::string& text);
    [[nodiscard]] bool IsNormalState() const;

    // Menus (tform1menus.cpp).
    void CreateMenus();
    void CreatePopupMenus();
    void AddTopLevelEntry(const TopLevelEntry& entry);
    void AddEntries(QMenu& menu, std::span<const MenuEntry> entries);
    void ConnectEntry(QAction* action, const MenuEntry& entry);
    [[nodiscard]] QAction* MenuAction(const char* name) const;
    void ChooseOption(const OptionChoice& choice);
    /** Check marks of the paired options after the values in memory. */
    void ShowOptionChecks();
    void SetChecks(const char* on, const char* off);

    // Start-up (tform1startup.cpp).
    void FormCreate();
    void ApplySettings();
    void PlaceWindow();
    /** The frame's thickness as the window system reports it now. */
    [[nodiscard]] FrameExtents CurrentFrameExtents() const;
    /** Once the window manager's frame is known: the client size that gives the placed outer size.
     */
    void FitFrameToPlacedBounds();
    void ApplyGridFont();
    [[nodiscard]] int FontDotsPerInch() const;
    [[nodiscard]] bool ReadStartupFolder();
    void LookUpSystemFolder();
    void ReadAtStartup(bool focusGrid);

    // Commands (tform1commands.cpp).
    void ReadChosenFile();
    [[nodiscard]] ScanOptions CurrentScanOptions() const;
    void ApplyChosenFont(const FontChoice& choice);

    // Commands on the list (tform1listcommands.cpp).
    void ConnectGridCommands();
    /** Tells the user when an address was not opened because it is no web address. */
    void TellOpenRefused(OpenOutcome outcome);
    void RunSaveCommand(const SaveCommand& command);
    /** Whether the chosen file may be written: never the index file, another only when the
        user agrees to replace it. */
    [[nodiscard]] bool MayWriteSaveTarget(const std::string& fileName);
    [[nodiscard]] GridPrintCommands& PrintCommands();

    // The guard around every handler (tform1.cpp).
    void RunGuarded(const std::function<void()>& command);
    /** For resize, paint and state events: an error box waits until the event is over. */
    void RunGuardedInEvent(const std::function<void()>& command);
    [[nodiscard]] bool IsNewError(const std::exception& error) const;
    void ShowErrorBox(const std::string& text);

    UserDialogs& m_dialogs;
    std::vector<std::string> m_arguments;
    VarnokSettings m_settings;
    ProgramSettings m_options;
    CachePaths m_paths;
    std::string m_startFolder;
    // The index file whose list the window shows (empty before the first read). It stays
    // the evidence after Clear, and no save may write over it.
    std::string m_indexFileOnView;
    std::string m_openDialogInitialDir = "C:\\Windows";
    std::string m_openDialogFileName = "index.dat";
    bool m_startupDone = false;
    bool m_hintPending = true;
    bool m_resizeOnPaint = true;
    bool m_pathBoxMenuEnabled = false;
    bool m_paintQueued = false;
    bool m_hintShowing = false;
    bool m_errorBoxUp = false;
    bool m_closing = false;
    // The outer bounds start-up placed the window at; the client size is made to fit them once
    // the window manager has put its frame around the window.
    WindowBounds m_placedBounds;
    bool m_frameFitPending = false;
    // The size the frame fit asked for, until the resize to it has come.
    QSize m_frameFitSize;
    // Set once the window is on the screen after start-up; only then is a resize the user's.
    bool m_windowAppeared = false;
    // Whether the settings file held column widths when they were last restored.
    bool m_storedColumnWidths = false;
    // The font dialog keeps its size and style from one showing to the next.
    FontChoice m_fontDialogFont{.Name = "MS Sans Serif", .PixelHeight = 13};

    std::unique_ptr<ShellService> m_desktopShell;
    ShellService* m_shell = nullptr;
    std::unique_ptr<Clipboard> m_systemClipboard;
    Clipboard* m_clipboard = nullptr;
    std::unique_ptr<PrintTarget> m_systemPrinter;
    PrintTarget* m_printTarget = nullptr;
    std::unique_ptr<GridPrintCommands> m_printCommands; // made on first use
    UserGuideLocator m_userGuide;

    // Controls, named as on the form. The window owns them through Qt, apart from the grid's
    // view: members go in the reverse order of their declaration, so the view is destroyed
    // while the list it shows (m_grid) is still there.
    std::unique_ptr<TResultGrid> m_grid;
    QWidget* m_client = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    std::unique_ptr<TResultGridView> ResultGrid1;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QAction* Setdefaultpath1 = nullptr;
    QAction* Showtextonly1 = nullptr;
};

} // namespace varnok
