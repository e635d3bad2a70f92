// File checks, the no-replace rename and the windowed read-only reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/readonlyfile.h"
#include "support/testsupport.h"

namespace varnok {

namespace {

namespace fs = std::filesystem;

std::string Pattern(std::size_t length)
{
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

std::string Text(std::span<const std::uint8_t> view)
{
    return {reinterpret_cast<const char*>(view.data()), view.size()};
}

TEST(FileChecks, TellFilesFoldersAndDanglingLinksApart)
{
    TempDir dir;
    WriteWholeFile(dir.File("file"), std::string("12345"));
    fs::create_symlink(dir.File("gone"), dir.File("dangling"));
    EXPECT_TRUE(FileExists(dir.File("file")));
    EXPECT_FALSE(FileExists(dir.Path().string()));
    EXPECT_TRUE(FolderExists(dir.Path().string()));
    EXPECT_FALSE(FolderExists(dir.File("file")));
    EXPECT_FALSE(FileExists(dir.File("dangling")));
    EXPECT_TRUE(PathExists(dir.File("dangling")));
    EXPECT_FALSE(PathExists(dir.File("gone")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_EQ(FileSizeOf(dir.File("file")), 5);
    EXPECT_FALSE(FileSizeOf(dir.Path().string()));
    EXPECT_FALSE(FileSizeOf(dir.File("gone")));
}

TEST(RenameNoReplace, RenamesOnlyOntoAFreeName)
{
    TempDir dir;
    WriteWholeFile(dir.File("a"), std::string("A"));
    WriteWholeFile(dir.File("b"), std::string("B"));
    EXPECT_FALSE(RenameNoReplace(dir.File("a"), dir.File("b")));
    EXPECT_EQ(ReadWholeFile(dir.File("a")), "A");
    EXPECT_EQ(ReadWholeFile(dir.File("b")), "B");
    EXPECT_TRUE(RenameNoReplace(dir.File("a"), dir.File("c")));
    EXPECT_FALSE(fs::exists(dir.File("a")));
    EXPECT_EQ(ReadWholeFile(dir.File("c")), "A");
    EXPECT_FALSE(RenameNoReplace(dir.File("missing"), dir.File("d")));
    EXPECT_FALSE(fs::exists(dir.File("d")));
}

TEST(FindSubFolderIgnoringCase, PrefersTheExactSpelling)
{
    TempDir dir;
    const std::string folder = dir.Path().string() + "/";
    EXPECT_EQ(FindSubFolderIgnoringCase(folder, "Content.IE5"), "");
    fs::create_directory(dir.Path() / "CONTENT.IE5");
    EXPECT_EQ(FindSubFolderIgnoringCase(folder, "Content.IE5"), "CONTENT.IE5");
    fs::create_directory(dir.Path() / "Content.IE5");
    EXPECT_EQ(FindSubFolderIgnoringCase(folder, "Content.IE5"), "Content.IE5");
    EXPECT_EQ(FindSubFolderIgnoringCase(folder + "missing", "Content.IE5"), "");
}

TEST(ReadOnlyFile, ViewsAreContiguousAcrossWindowsAndShortAtTheEnd)
{
    TempDir dir;
    const std::string bytes = Pattern(ReadOnlyFile::kWindowSize * 2 + 300);
    WriteWholeFile(dir.File("f"), bytes);
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(dir.File("f")));
    EXPECT_EQ(file.Size(), static_cast<std::int64_t>(bytes.size()));
    const std::int64_t around = static_cast<std::int64_t>(ReadOnlyFile::kWindowSize) - 10;
    EXPECT_EQ(Text(file.View(0, 4)), bytes.substr(0, 4));
    EXPECT_EQ(Text(file.View(around, 100)), bytes.substr(static_cast<std::size_t>(around), 100));
    EXPECT_EQ(Text(file.View(5, 10)), bytes.substr(5, 10)); // backwards
    const auto end = static_cast<std::int64_t>(bytes.size());
    EXPECT_EQ(Text(file.View(end - 3, 10)), bytes.substr(bytes.size() - 3));
    EXPECT_TRUE(file.View(end, 10).empty());
    EXPECT_TRUE(file.View(end + 100'000, 10).empty());
    EXPECT_TRUE(file.View(-4, 10).empty());
}

// Another program may shorten the file while it is read: the bytes it took away are absent.
TEST(ReadOnlyFile, FileShortenedWhileOpenReadsAsEnded)
{
    TempDir dir;
    WriteWholeFile(dir.File("f"), Pattern(100'000));
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(dir.File("f")));
    ASSERT_EQ(::truncate(dir.File("f").c_str(), 1000), 0);
    EXPECT_EQ(file.View(900, 500).size(), 100u);
    EXPECT_TRUE(file.View(50'000, 4).empty());
    EXPECT_EQ(file.End(), 1000);
}

// One reader may read one file after another; each is read whole, whatever came before.
TEST(ReadOnlyFile, ReopenedReaderReadsTheWholeOfTheNextFile)
{
    TempDir dir;
    const std::string small = Pattern(1000);
    const std::string large = Pattern(1024 * 1024);
    WriteWholeFile(dir.File("small"), small);
    WriteWholeFile(dir.File("large"), large);
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(dir.File("small")));
    EXPECT_EQ(Text(file.View(0, 4096)), small);
    file.Close();
    ASSERT_TRUE(file.Open(dir.File("large")));
    EXPECT_EQ(Text(file.View(0, ReadOnlyFile::kWindowSize)),
              large.substr(0, ReadOnlyFile::kWindowSize));
    EXPECT_EQ(Text(file.View(700'000, 8)), large.substr(700'000, 8));
}

TEST(ReadOnlyFile, RefusesWhatIsNotARegularFile)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    WriteWholeFile(dir.File("f"), std::string("HASH"));
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(dir.File("f")));
    EXPECT_FALSE(file.Open(dir.File("pipe"))); // returns at once: no writer is waited for
    EXPECT_FALSE(file.Open(dir.Path().string()));
    EXPECT_FALSE(file.Open(dir.File("missing")));
    EXPECT_EQ(file.Size(), 0); // an object that opened nothing reads as an empty file
    EXPECT_EQ(file.End(), 0);
    EXPECT_TRUE(file.View(0, 4).empty());
}

// A file found by a walk that follows no links is opened the same way: a link put in its
// place is refused with its reason, while a plain open still follows it.
TEST(ReadOnlyFile, OpenWithoutFollowingRefusesALink)
{
    TempDir dir;
    WriteWholeFile(dir.File("f"), std::string("HASH"));
    ASSERT_EQ(::symlink(dir.File("f").c_str(), dir.File("link").c_str()), 0);
    ReadOnlyFile file;
    EXPECT_TRUE(file.OpenWithoutFollowing(dir.File("f")));
    EXPECT_EQ(file.Size(), 4);
    EXPECT_FALSE(file.OpenWithoutFollowing(dir.File("link")));
    EXPECT_EQ(file.OpenError(), "a symbolic link, not followed");
    EXPECT_EQ(file.Size(), 0);
    EXPECT_TRUE(file.Open(dir.File("link")));
    EXPECT_EQ(file.Size(), 4);
}

TEST(ReadOnlyFile, ReadsAFileItMayNotWrite)
{
    TempDir dir;
    WriteWholeFile(dir.File("f"), std::string("HASH"));
    ASSERT_EQ(::chmod(dir.File("f").c_str(), 0444), 0);
    ReadOnlyFile file;
    ASSERT_TRUE(file.Open(dir.File("f")));
    EXPECT_EQ(Text(file.View(0, 4)), "HASH");
}

} // namespace

} // namespace varnok
