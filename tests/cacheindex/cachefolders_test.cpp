// From a typed path to the cache folder, the content folder and the index file; and the
// desktop.ini that is set aside while the open dialog is up.
#include <gtest/gtest.h>

#include <filesystem>

#include "cacheindex/cachefolders.h"
#include "support/testsupport.h"

namespace varnok {

namespace {

namespace fs = std::filesystem;

TEST(NormaliseFolder, AppendsASeparatorWhereNoneEndsThePath)
{
    EXPECT_EQ(NormaliseFolder("/data/Cache"), "/data/Cache/");
    EXPECT_EQ(NormaliseFolder("/data/Cache/"), "/data/Cache/");
    EXPECT_EQ(NormaliseFolder("D:\\Cache\\"), "D:\\Cache\\");
    EXPECT_EQ(NormaliseFolder(""), "/");
}

// An index file or content folder path gives both folders as typed, names found without
// regard to case; a cache folder gets the content folder inside.
TEST(SplitCachePath, FindsTheCacheAndContentFolders)
{
    const struct {
        std::string Typed, Cache, Content;
    } cases[] = {
        {"/mnt/Windows/Temporary Internet Files/Content.IE5/index.dat",
         "/mnt/Windows/Temporary Internet Files/",
         "/mnt/Windows/Temporary Internet Files/Content.IE5/"},
        {"/X/CONTENT.IE5/INDEX.DAT", "/X/", "/X/CONTENT.IE5/"},
        {"/Backup/Cache/content.IE5/", "/Backup/Cache/", "/Backup/Cache/content.IE5/"},
        {"/nonexistent-cache/D Cache/", "/nonexistent-cache/D Cache/",
         "/nonexistent-cache/D Cache/Content.IE5/"},
    };
    for (const auto& c : cases) {
        CachePaths paths;
        paths.CacheFolder = c.Typed;
        SplitCachePath(paths);
        EXPECT_EQ(paths.CacheFolder, c.Cache) << c.Typed;
        EXPECT_EQ(paths.ContentFolder, c.Content) << c.Typed;
    }
}

TEST(SetFoldersFromPathBox, FollowsTheOkButtonRule)
{
    CachePaths paths;
    SetFoldersFromPathBox(paths, "/nonexistent-backup/Cache");
    EXPECT_EQ(paths.CacheFolder, "/nonexistent-backup/Cache/");
    EXPECT_EQ(paths.ContentFolder, "/nonexistent-backup/Cache/Content.IE5/");

    // A path box that names the content folder: both folders are that folder, until the
    // open command splits it.
    SetFoldersFromPathBox(paths, "/Backup/Cache/Content.IE5");
    EXPECT_EQ(paths.CacheFolder, "/Backup/Cache/Content.IE5/");
    EXPECT_EQ(paths.ContentFolder, "/Backup/Cache/Content.IE5/");
    SplitCachePath(paths);
    EXPECT_EQ(paths.CacheFolder, "/Backup/Cache/");
    EXPECT_EQ(paths.ContentFolder, "/Backup/Cache/Content.IE5/");

    SetFoldersFromPathBox(paths, "");
    EXPECT_EQ(paths.CacheFolder, "/");
}

TEST(ContentFolderOf, CopiedImagesWithOtherLetterCaseAreFound)
{
    TempDir dir;
    const std::string cache = dir.Path().string() + "/";
    EXPECT_EQ(ContentFolderOf(cache), cache + "Content.IE5/");
    fs::create_directory(dir.Path() / "CONTENT.IE5");
    EXPECT_EQ(ContentFolderOf(cache), cache + "CONTENT.IE5/");
    fs::create_directory(dir.Path() / "Content.IE5");
    EXPECT_EQ(ContentFolderOf(cache), cache + "Content.IE5/");

    TempDir other;
    WriteWholeFile(other.File("content.ie5"), std::string("a file, not a folder"));
    EXPECT_EQ(ContentFolderOf(other.Path().string() + "/"),
              other.Path().string() + "/Content.IE5/");
}

TEST(ApplyStartupFolderRule, ValidOnlyWhenTheContentFolderExists)
{
    TempDir dir;
    CachePaths paths;
    EXPECT_FALSE(ApplyStartupFolderRule(paths, dir.Path().string()));
    EXPECT_EQ(paths.CacheFolder, dir.Path().string() + "/");
    EXPECT_EQ(paths.ContentFolder, dir.Path().string() + "/Content.IE5/");

    fs::create_directory(dir.Path() / "content.ie5");
    EXPECT_TRUE(ApplyStartupFolderRule(paths, dir.Path().string() + "/"));
    EXPECT_EQ(paths.ContentFolder, dir.Path().string() + "/content.ie5/");
}

class DesktopIni : public ::testing::Test {
protected:
    std::string Folder() const { return m_dir.Path().string() + "/"; }
    std::string Ini() const { return m_dir.File("desktop.ini"); }
    std::string Hidden() const { return m_dir.File("desktop.in0"); }
    bool Has(const std::string& path) const { return fs::exists(path); }

    TempDir m_dir;
};

TEST_F(DesktopIni, IsSetAsideAndGivenBack)
{
    WriteWholeFile(Ini(), std::string("[.ShellClassInfo]\r\n"));
    HideDesktopIni(Folder());
    EXPECT_FALSE(Has(Ini()));
    EXPECT_EQ(ReadWholeFile(Hidden()), "[.ShellClassInfo]\r\n");
    RestoreDesktopIni(Folder());
    EXPECT_FALSE(Has(Hidden()));
    EXPECT_EQ(ReadWholeFile(Ini()), "[.ShellClassInfo]\r\n");
    // Restoring again has nothing to do.
    RestoreDesktopIni(Folder());
    EXPECT_EQ(ReadWholeFile(Ini()), "[.ShellClassInfo]\r\n");
}

TEST_F(DesktopIni, FolderWithoutOneIsLeftAlone)
{
    HideDesktopIni(Folder());
    RestoreDesktopIni(Folder());
    EXPECT_TRUE(fs::is_empty(m_dir.Path()));
    HideDesktopIni(Folder() + "missing/");
    RestoreDesktopIni(Folder() + "missing/");
}

// A desktop.in0 left by an interrupted run comes back as desktop.ini at the next restore.
TEST_F(DesktopIni, StaleHiddenCopyIsGivenBack)
{
    WriteWholeFile(Hidden(), std::string("stale"));
    HideDesktopIni(Folder());
    EXPECT_EQ(ReadWholeFile(Hidden()), "stale");
    EXPECT_FALSE(Has(Ini()));
    RestoreDesktopIni(Folder());
    EXPECT_EQ(ReadWholeFile(Ini()), "stale");
    EXPECT_FALSE(Has(Hidden()));
}

TEST_F(DesktopIni, NeitherFileIsEverOverwritten)
{
    WriteWholeFile(Ini(), std::string("current"));
    WriteWholeFile(Hidden(), std::string("older"));
    HideDesktopIni(Folder());
    EXPECT_EQ(ReadWholeFile(Ini()), "current");
    EXPECT_EQ(ReadWholeFile(Hidden()), "older");
    RestoreDesktopIni(Folder());
    EXPECT_EQ(ReadWholeFile(Ini()), "current");
    EXPECT_EQ(ReadWholeFile(Hidden()), "older");
}

TEST_F(DesktopIni, EmptyFolderTextTouchesNothingInTheWorkingFolder)
{
    WriteWholeFile(Hidden(), std::string("x"));
    const fs::path previous = fs::current_path();
    fs::current_path(m_dir.Path());
    RestoreDesktopIni("");
    HideDesktopIni("");
    fs::current_path(previous);
    EXPECT_TRUE(Has(Hidden()));
    EXPECT_FALSE(Has(Ini()));
}

} // namespace

} // namespace varnok
