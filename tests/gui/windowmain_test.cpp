#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "app/displaycheck.h"
#include "app/window/windowmain.h"
#include "support/testsupport.h"

namespace varnok {

namespace {

// The window system adds a display name, where one is set, to every window's caption
// ("ERROR — Varnok 5"); the program sets none, so each box shows its own caption alone.
TEST(WindowMainTest, NoDisplayNameIsAddedToTheCaptions)
{
    PrepareApplication();
    EXPECT_EQ(QGuiApplication::applicationDisplayName().toStdString(), "varnok5");
}

// Without a display the window does not start: a message on standard error that names the
// exports that need none, exit status 1, and no abort. A display that is named but cannot
// be reached ends the same way.
TEST(WindowMainTest, WithoutADisplayTheProgramSaysSoAndExits)
{
    TempDir folder;
    const std::string errors = folder.File("stderr.txt");
    for (const std::string environment :
         {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM",
          "env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY=:97531"}) {
        const std::string command =
            environment + " '" VARNOK5_PROGRAM "' </dev/null >/dev/null 2>'" + errors + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << environment;
        EXPECT_EQ(WEXITSTATUS(status), 1) << environment;
        const std::string said = ReadWholeFile(errors);
        EXPECT_NE(said.find("the window needs a graphical session"), std::string::npos) << said;
        EXPECT_NE(said.find("/stext, /scsv, /shtml and /spdf export the list"), std::string::npos)
            << said;
    }
}

} // namespace

} // namespace varnok
