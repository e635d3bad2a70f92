#include "app/window/windowmain.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <exception>
#include <string>
#include <vector>

#include "app/launchedpath.h"
#include "app/window/displaytext.h"
#include "app/window/qtuserdialogs.h"
#include "app/window/startupprobe.h"
#include "app/window/tform1.h"

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

} // namespace

int RunWindow(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Varnok 5"));
    // Lets the desktop match the window with its launcher and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("varnok5"));
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
