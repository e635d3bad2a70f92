#include "app/window/windowmain.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "app/displaycheck.h"
#include "app/launchedpath.h"
#include "app/window/displaytext.h"
#include "app/window/qtuserdialogs.h"
#include "app/window/startupprobe.h"
#include "app/window/tform1.h"

namespace varnok {

namespace {

int RunMainWindow(const std::vector<std::string>& arguments)
{
    QtUserDialogs dialogs;
    TForm1 form(arguments, dialogs);
    dialogs.SetOwner(&form);
    if (FirstPaintProbe::Requested())
        FirstPaintProbe::Watch(*form.ResultGrid1View());
    form.SetStartupDone();
    // Once the loop runs and the window is on screen: window state once more, then focus.
    QTimer::singleShot(0, &form, [&form] { form.ApplyStartWindowState(); });
    return QApplication::exec();
}

// A display that is named but cannot be reached (a closed session, a stale DISPLAY) makes
// the toolkit end the process with a fatal message while it starts. That message becomes
// the program's own explanation and exit status instead of an abort with a core dump.
void ExitOnFatalStart(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        std::fputs(qPrintable(qFormatLogMessage(type, context, message) + u'\n'), stderr);
        return;
    }
    std::fputs(WindowNeedsDisplayText().c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

void PrepareApplication()
{
    // The name the window manager groups the windows by. No display name is set: the
    // platform would add it to every window's caption ("ERROR — Varnok 5"), and the
    // captions are the program's own; the main window carries the title "Varnok 5" itself.
    QCoreApplication::setApplicationName(QStringLiteral("varnok5"));
    // Lets the desktop match the window with its launcher and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("varnok5"));
}

int RunWindow(int argc, char* argv[])
{
    const QtMessageHandler toolkitHandler = qInstallMessageHandler(ExitOnFatalStart);
    QApplication application(argc, argv);
    qInstallMessageHandler(toolkitHandler);
    PrepareApplication();
    // The toolkit has taken its own options out of the argument list by now.
    const std::vector<std::string> arguments =
        WithLaunchedPathAsCacheFolder(std::vector<std::string>(argv + 1, argv + argc));
    try {
        return RunMainWindow(arguments);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Varnok 5"), DisplayText(error.what()));
        return 1;
    }
}

} // namespace varnok
