// Creating and closing the window, the guard around its handlers, and the Qt events that
// call them.
#include "app/window/tform1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QWindow>

#include "app/userguide.h"
#include "app/window/userdialogs.h"
#include "grid/resultgrid.h"
#include "grid/view/resultgridview.h"
#include "platform/qt/qtclipboard.h"
#include "platform/qt/qtshellservice.h"
#include "print/gridprintcommands.h"
#include "print/qtprinttarget.h"

namespace varnok {

namespace {

bool IsEnterKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TForm1::TForm1(const std::vector<std::string>& arguments, UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_arguments(arguments),
      m_desktopShell(std::make_unique<QtShellService>()), m_shell(m_desktopShell.get()),
      m_systemClipboard(std::make_unique<QtClipboard>()), m_clipboard(m_systemClipboard.get()),
      m_systemPrinter(std::make_unique<QtPrintTarget>()), m_printTarget(m_systemPrinter.get()),
      m_userGuide([] { return FindUserGuide(RunningProgramFolder()); }),
      m_grid(std::make_unique<TResultGrid>())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Varnok 5"));
    CreateControls();
    CreateMenus();
    CreatePopupMenus();
    ConnectGridCommands();

    bool created = false;
    RunGuarded([this, &created] {
        FormCreate();
        created = true;
    });
    // Start-up that ended in an error still leaves a window to work with.
    if (!created)
        show();
}

TForm1::~TForm1() = default;

void TForm1::SetShellService(ShellService& shell)
{
    // Anchors in the grid and Open in Browser go through the one service.
    m_shell = &shell;
    ResultGrid1->SetShellService(shell);
}

void TForm1::SetClipboard(Clipboard& clipboard)
{
    m_clipboard = &clipboard;
}

void TForm1::SetUserGuideLocator(UserGuideLocator locator)
{
    m_userGuide = std::move(locator);
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
        // A box of start-up may have had the window painted already; then it is on the
        // screen by now, else its first paint says so.
        if (windowHandle() && windowHandle()->isExposed())
            WindowAppeared();
        activateWindow();
        raise();
    });
}

void TForm1::FormDeactivate()
{
    // The window is the program's only top-level window, so when it is minimised its
    // task-bar entry goes with it; there is nothing further to minimise.
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
            // The outer bounds, frame included, as start-up places them.
            const QRect client = geometry();
            const WindowBounds outer = OuterBoundsFor(
                {client.x(), client.y(), client.width(), client.height()}, CurrentFrameExtents());
            m_settings.WriteInteger(SettingsKey::Top, outer.Top);
            m_settings.WriteInteger(SettingsKey::Left, outer.Left);
            m_settings.WriteInteger(SettingsKey::Height, outer.Height);
            m_settings.WriteInteger(SettingsKey::Width, outer.Width);
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
// The guard

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
    // The box may fail to show; the next error still gets its box.
    struct BoxUp {
        bool& Up;
        explicit BoxUp(bool& up) : Up(up) { Up = true; }
        ~BoxUp() { Up = false; }
        BoxUp(const BoxUp&) = delete;
        BoxUp& operator=(const BoxUp&) = delete;
    } boxUp(m_errorBoxUp);
    m_dialogs.ShowApplicationError(text);
}

// ---------------------------------------------------------------------------------------
// Qt events

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
            RunGuardedInEvent([this] {
                WindowAppeared();
                FormPaint();
            });
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

void TForm1::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    FitFrameToPlacedBounds();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FitFrameToPlacedBounds();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (m_hintShowing && (type == QEvent::MouseButtonPress || type == QEvent::KeyPress ||
                          type == QEvent::NonClientAreaMouseButtonPress))
        HideHint(); // and the press goes on to where it was aimed
    if (watched == m_client && event->type() == QEvent::Resize)
        RunGuardedInEvent([this] { FormResize(); });
    else if (watched == BitBtn1 && event->type() == QEvent::FocusIn)
        BitBtn1Enter();
    else if (watched == Edit2 && IsEnterKey(event)) {
        // Taken here, so that it does not reach the window's own key handler as well.
        RunGuarded([this] { BitBtn1Click(); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace varnok
