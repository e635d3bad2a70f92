#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <string>

// One QApplication for every GUI test. The build runs this binary to list the tests, with
// no display and without the test's environment, so offscreen is the default here.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    std::string runtimeFolder;
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        std::string folder = "/tmp/varnok-gui-tests-XXXXXX";
        if (mkdtemp(folder.data()) != nullptr) { // created with mode 0700
            runtimeFolder = folder;
            setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    int result = 0;
    {
        QApplication application(argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (!runtimeFolder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(runtimeFolder, ignored);
    }
    return result;
}
