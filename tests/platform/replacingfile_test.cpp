#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "platform/replacingfile.h"
#include "support/testsupport.h"

namespace {

std::size_t filesIn(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

} // namespace

TEST(ReplacingFileTest, NewContentsAppearOnlyOnCommit)
{
    TempDir dir;
    const std::string path = dir.File("out.txt");
    WriteWholeFile(path, "old contents");
    ::chmod(path.c_str(), 0640);
    {
        ReplacingFile file(path);
        ASSERT_TRUE(file.Open());
        file.Stream() << "new";
        EXPECT_EQ(ReadWholeFile(path), "old contents");
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_EQ(ReadWholeFile(path), "new");
    EXPECT_EQ(filesIn(dir.Path()), 1u);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u); // a replaced file keeps its permissions
}

TEST(ReplacingFileTest, AbandonedWriteLeavesTargetAndFolderAsTheyWere)
{
    TempDir dir;
    const std::string existing = dir.File("existing.txt");
    WriteWholeFile(existing, "keep me");
    {
        ReplacingFile file(existing);
        ASSERT_TRUE(file.Open());
        file.Stream() << "partial";
    }
    EXPECT_EQ(ReadWholeFile(existing), "keep me");
    {
        ReplacingFile file(dir.File("new.txt"));
        ASSERT_TRUE(file.Open());
        file.Stream() << "partial";
    }
    EXPECT_EQ(filesIn(dir.Path()), 1u);
}

TEST(ReplacingFileTest, WritesThroughASymbolicLink)
{
    TempDir dir;
    const std::string target = dir.File("target.txt");
    const std::string link = dir.File("link.txt");
    WriteWholeFile(target, "old");
    std::filesystem::create_symlink(target, link);
    ReplacingFile file(link);
    ASSERT_TRUE(file.Open());
    file.Stream() << "new";
    ASSERT_TRUE(file.Commit());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(target), "new");
}

TEST(ReplacingFileTest, RefusesMissingFoldersAndFolders)
{
    TempDir dir;
    ReplacingFile inMissingFolder(dir.File("missing/out.txt"));
    EXPECT_FALSE(inMissingFolder.Open());
    ReplacingFile folder(dir.Path().string());
    EXPECT_FALSE(folder.Open());
    ReplacingFile unnamed("");
    EXPECT_FALSE(unnamed.Open());
    EXPECT_EQ(filesIn(dir.Path()), 0u);
}
