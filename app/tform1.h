#pragma once

#include <QMainWindow>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/settings.h"
#include "cacheindex/cachefolders.h"
#include "cacheindex/indexscan.h"
#include "cacheindex/scanview.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;
class TResultGrid;
class TResultGridView;
class UserDialogs;

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
class TForm1 final : public QMainWindow, public ScanView {
    Q_OBJECT
public:
    // `arguments` are the command-line arguments after the program's own path; the first
    // "/cache:" among them names the cache folder. `dialogs` must outlive the window.
    TForm1(const std::vector<std::string>& arguments, UserDialogs& dialogs,
           QWidget* parent = nullptr);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

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

    // Commands.
    void BitBtn1Click();
    void BitBtn1Enter();
    void SelectHistoryFolder1Click();
    void Clear1Click();
    void Dateformatmdy1Click();
    void Dateformatdmy1Click();
    void Donotshowwelcome1Click();
    void Showwelcomewindow1Click();
    void Setdefaultpath1Click();
    void Showtextonly1Click();
    void Cellformattext1Click();
    void CellformatHTML1Click();
    void About1Click();
    void Exit1Click();

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
    [[nodiscard]] const std::string& StartFolder() const { return m_startFolder; }
    [[nodiscard]] bool StartupDone() const { return m_startupDone; }
    [[nodiscard]] bool HintPending() const { return m_hintPending; }
    [[nodiscard]] bool ResizeOnPaint() const { return m_resizeOnPaint; }
    /** The folder and file name the open dialog will be preset with. */
    [[nodiscard]] const std::string& OpenDialogInitialDir() const { return m_openDialogInitialDir; }
    [[nodiscard]] const std::string& OpenDialogFileName() const { return m_openDialogFileName; }
    /** The widget that shows the grid. */
    [[nodiscard]] QWidget* ResultGrid1View() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the window at its design places.
    void CreateControls();
    void CreateMenus();
    void CreatePopupMenus();
    QAction* AddCommand(QMenu& menu, const char* caption, const char* name,
                        void (TForm1::*handler)());
    QAction* AddPlaceholder(QMenu& menu, const char* caption, const char* name);
    void ConnectCommand(QAction* action, void (TForm1::*handler)());

    // Start-up.
    void FormCreate();
    void ApplySettings();
    void PlaceWindow();
    void ApplyGridFont();
    bool TryCommandLineFolder();
    bool TryDefaultFolder();
    void LookUpSystemFolder();
    void ReadAtStartup(bool focusGrid);

    // The open command's pieces.
    void WriteHeaderCells();
    void ResetGridForRead();
    void ReadChosenFile();
    [[nodiscard]] ScanOptions CurrentScanOptions() const;

    void SetPathBoxText(const std::string& path);
    [[nodiscard]] std::string PathBoxText() const;
    void SetLabelText(QLabel* label, const std::string& text);
    void SetChecks(QAction* on, QAction* off);
    void ShowHint();
    void ShowPathBoxMenu(const QPoint& pos);
    [[nodiscard]] bool IsNormalState() const;
    [[nodiscard]] int FontDotsPerInch() const;
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
    std::unique_ptr<TResultGrid> m_grid;
    std::string m_startFolder;
    std::string m_openDialogInitialDir = "C:\\Windows";
    std::string m_openDialogFileName = "index.dat";
    bool m_startupDone = false;
    bool m_hintPending = true;
    bool m_resizeOnPaint = true;
    bool m_pathBoxMenuEnabled = false;
    bool m_paintQueued = false;
    bool m_errorBoxUp = false;
    bool m_closing = false;

    // Controls, named as on the form.
    QWidget* m_client = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    TResultGridView* ResultGrid1 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* PopupMenu2 = nullptr;

    QAction* SelectHistoryFolder1 = nullptr;
    QAction* Clear1 = nullptr;
    QAction* Dateformatmdy1 = nullptr;
    QAction* Dateformatdmy1 = nullptr;
    QAction* Donotshowwelcome1 = nullptr;
    QAction* Showwelcomewindow1 = nullptr;
    QAction* Setdefaultpath1 = nullptr;
    QAction* Showtextonly1 = nullptr;
    QAction* Cellformattext1 = nullptr;
    QAction* CellformatHTML1 = nullptr;
    QAction* About1 = nullptr;
    QAction* Exit1 = nullptr;
};
