#include "app/userguide.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/testsupport.h"

namespace varnok {

namespace {

namespace fs = std::filesystem;

// The guide is looked for beside the program first (the build folder), then where an
// installed tree keeps it; the path handed on has no ".." left in it.
TEST(UserGuideTest, FoundBesideTheProgramElseInTheInstalledTree)
{
    const struct {
        const char* Layout;
        std::vector<std::string> Guides; // files named like the guide, relative to the tree
        std::string ProgramFolder;       // relative to the tree; empty for none at all
        std::string Expected;            // relative to the tree; empty when nothing is found
    } cases[] = {
        {"build folder", {"build/varnok5-guide.html"}, "build", "build/varnok5-guide.html"},
        {"installed tree",
         {"usr/share/doc/varnok5/varnok5-guide.html"},
         "usr/bin",
         "usr/share/doc/varnok5/varnok5-guide.html"},
        {"both: beside wins",
         {"usr/bin/varnok5-guide.html", "usr/share/doc/varnok5/varnok5-guide.html"},
         "usr/bin",
         "usr/bin/varnok5-guide.html"},
        {"guide under another prefix", {"opt/share/doc/varnok5/varnok5-guide.html"}, "usr/bin", ""},
        {"no program folder", {"varnok5-guide.html"}, "", ""},
    };
    for (const auto& c : cases) {
        TempDir tree;
        fs::create_directories(tree.Path() / "usr/bin");
        for (const std::string& guide : c.Guides) {
            fs::create_directories((tree.Path() / guide).parent_path());
            WriteWholeFile(tree.File(guide), "<html></html>");
        }
        const std::string programFolder = c.ProgramFolder.empty() ? "" : tree.File(c.ProgramFolder);
        const std::optional<std::string> expected =
            c.Expected.empty() ? std::nullopt : std::optional(tree.File(c.Expected));
        EXPECT_EQ(FindUserGuide(programFolder), expected) << c.Layout;
    }
}

TEST(UserGuideTest, AFolderNamedLikeTheGuideIsNoGuide)
{
    TempDir tree;
    fs::create_directories(tree.Path() / "bin" / kUserGuideFileName);
    EXPECT_EQ(FindUserGuide(tree.File("bin")), std::nullopt);
}

// The build copies the guide next to the programs it makes, this test program among them.
TEST(UserGuideTest, TheBuildPutsTheGuideBesideItsPrograms)
{
    const fs::path folder = RunningProgramFolder();
    ASSERT_TRUE(fs::is_regular_file(folder / "app_tests")) << folder;
    EXPECT_EQ(FindUserGuide(folder.string()), (folder / kUserGuideFileName).string());
}

} // namespace

} // namespace varnok
