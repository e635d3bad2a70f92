#include "app/launchedpath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/commandline.h"
#include "support/testsupport.h"

namespace varnok {

namespace {

namespace fs = std::filesystem;

// Folders and files as a file manager would hand them over.
class LaunchedPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* file :
             {"pc1/Content.IE5/index.dat", "copy/CONTENT.IE5/index.dat",
              "twice/Content.IE5/index.dat", "twice/CONTENT.IE5/index.dat", "loose/index.dat",
              "pc2/History.IE5/index.dat", "pc1/Content.IE5/ABC123/page.htm"}) {
            fs::create_directories((m_tree.Path() / file).parent_path());
            WriteWholeFile(m_tree.File(file), "Client UrlCache MMF Ver 5.2");
        }
    }

    [[nodiscard]] std::string Path(const std::string& relative) const
    {
        return m_tree.File(relative);
    }

    TempDir m_tree;
};

// An index file that the start-up read of a cache folder reads stands for that folder;
// any other file for its own folder, which start-up then refuses with its message; a
// folder, or a name that names nothing, is taken as it is.
TEST_F(LaunchedPathTest, EachPathStandsForTheCacheFolderStartUpWouldRead)
{
    const struct {
        std::string Launched;
        std::string CacheFolder;
    } cases[] = {
        {"pc1/Content.IE5/index.dat", "pc1"},
        {"copy/CONTENT.IE5/index.dat", "copy"},
        // Start-up of "twice" reads Content.IE5, never this file.
        {"twice/CONTENT.IE5/index.dat", "twice/CONTENT.IE5"},
        {"twice/Content.IE5/index.dat", "twice"},
        {"loose/index.dat", "loose"},
        {"pc2/History.IE5/index.dat", "pc2/History.IE5"},
        {"pc1/Content.IE5/ABC123/page.htm", "pc1/Content.IE5/ABC123"},
        {"pc1", "pc1"},
        {"pc1/Content.IE5", "pc1/Content.IE5"},
        {"no/such/place", "no/such/place"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CacheFolderOfLaunchedPath(Path(c.Launched)), Path(c.CacheFolder)) << c.Launched;
}

// A file name without a folder lies in the working folder, never at the root.
TEST_F(LaunchedPathTest, BareFileNamesStandForTheWorkingFolder)
{
    const fs::path before = fs::current_path();
    fs::current_path(m_tree.Path() / "pc1");
    const std::string fromContentFolder = CacheFolderOfLaunchedPath("Content.IE5/index.dat");
    fs::current_path(m_tree.Path() / "loose");
    const std::string fromFile = CacheFolderOfLaunchedPath("index.dat");
    fs::current_path(before);
    EXPECT_EQ(fromContentFolder, ".");
    EXPECT_EQ(fromFile, ".");
}

// Only the first argument that is no switch is taken, and only when no "/cache:" names
// the folder already; the window then sees it as its "/cache:" folder.
TEST_F(LaunchedPathTest, TheFirstBarePathBecomesTheCacheFolderArgument)
{
    const std::string index = Path("pc1/Content.IE5/index.dat");
    const std::string folder = Path("loose");
    const struct {
        std::vector<std::string> Arguments;
        std::vector<std::string> Expected;
    } cases[] = {
        {{index}, {"/cache:" + Path("pc1")}},
        {{folder, index}, {"/cache:" + folder, index}},
        {{"/OPEN:x", "", folder}, {"/OPEN:x", "", "/cache:" + folder}},
        {{"/cache:A", index}, {"/cache:A", index}},
        {{index, "/CACHE:B"}, {index, "/CACHE:B"}},
        {{}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithLaunchedPathAsCacheFolder(c.Arguments), c.Expected);

    const CommandLine window = ParseCommandLine(WithLaunchedPathAsCacheFolder({index}));
    EXPECT_FALSE(window.IsBatch());
    EXPECT_EQ(window.CacheFolder.value_or("<none>"), Path("pc1"));
}

} // namespace

} // namespace varnok
