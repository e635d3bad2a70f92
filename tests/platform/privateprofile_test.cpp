#include "platform/privateprofile.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/descriptorshortage.h"
#include "support/testsupport.h"

namespace varnok {

namespace {

class PrivateProfileTest : public ::testing::Test {
protected:
    TempDir m_dir;
    std::string m_path = m_dir.File("Varnok5.ini");

    std::string Read(const std::string& section, const std::string& key,
                     const std::string& def = "<none>")
    {
        return PrivateProfile(m_path).ReadString(section, key, def);
    }
    void Write(const std::string& section, const std::string& key, const std::string& value)
    {
        ASSERT_TRUE(PrivateProfile(m_path).WriteString(section, key, value));
    }
};

TEST_F(PrivateProfileTest, MissingFileSectionOrKeyGivesDefault)
{
    EXPECT_EQ(Read("Settings", "Top", "111"), "111");
    EXPECT_FALSE(std::filesystem::exists(m_path)) << "reading must not create the file";

    WriteWholeFile(m_path, "[Settings]\r\nTop=5\r\nCache path=\r\n");
    EXPECT_EQ(Read("Other", "Top", "d"), "d");
    EXPECT_EQ(Read("Settings", "Left", "d"), "d");
    EXPECT_EQ(Read("Settings", "Top", "d"), "5");
    EXPECT_EQ(Read("Settings", "Cache path", "d"), "") << "an empty value is a value";
}

// Hand-written files: names match without regard to case, CR LF and LF lines both end a
// line, values lose outer blanks and one pair of quotes, comments are no keys and the first
// occurrence of a key counts.
TEST_F(PrivateProfileTest, ReadsHandWrittenFiles)
{
    const struct {
        std::string File;
        std::vector<std::array<std::string, 3>> Reads; // section, key, value
    } cases[] = {
        {"[settings]\nDATE FORMAT=2\n",
         {{"Settings", "Date format", "2"}, {"SETTINGS", "date Format", "2"}}},
        {"[A]\r\nOne=1\r\n[B]\nTwo=2\nThree=3",
         {{"A", "One", "1"}, {"B", "Two", "2"}, {"B", "Three", "3"}}},
        {"[S]\n"
         "  Plain  =   some value \t\n"
         "Double=\"  kept blanks  \"\n"
         "Single='x'\n"
         "Nested=\"\"twice\"\"\n"
         "Unmatched=\"open\n"
         "Inner=a \"b\" c\n",
         {{"S", "Plain", "some value"},
          {"S", "Double", "  kept blanks  "},
          {"S", "Single", "x"},
          {"S", "Nested", "\"twice\""},
          {"S", "Unmatched", "\"open"},
          {"S", "Inner", "a \"b\" c"}}},
        {"\xEF\xBB\xBF[S]\n;Key=commented\nKey=first\nKey=second\n[s]\nKey=other section\n",
         {{"S", "Key", "first"}, {"S", ";Key", "<none>"}}},
    };
    for (const auto& c : cases) {
        WriteWholeFile(m_path, c.File);
        for (const auto& [section, key, value] : c.Reads)
            EXPECT_EQ(Read(section, key), value) << c.File;
    }
}

TEST_F(PrivateProfileTest, ReadValueIsCappedAt2047Characters)
{
    const std::string longValue(3000, 'v');
    Write("S", "Long", longValue);
    EXPECT_EQ(Read("S", "Long"), std::string(2047, 'v'));
}

TEST_F(PrivateProfileTest, CommentsAndFirstOccurrences)
{
    WriteWholeFile(
        m_path, "\xEF\xBB\xBF[S]\n;Key=commented\nKey=first\nKey=second\n[s]\nKey=other section\n");
    EXPECT_EQ(Read("S", "Key"), "first");
    EXPECT_EQ(Read("S", ";Key"), "<none>");
}

// A write changes only its own line; a missing key goes after the last entry of its section,
// a missing section to the end of the file; new lines end in CR LF. The last value
// written, even an empty one, reads back.
TEST_F(PrivateProfileTest, WritesChangeOnlyWhatTheyMust)
{
    const struct {
        std::optional<std::string> Before;
        std::vector<std::array<std::string, 3>> Writes; // section, key, value
        std::string After;
    } cases[] = {
        {std::nullopt,
         {{"Settings", "WinState", "0"}, {"Preferences", "Show welcome window", "1"}},
         "[Settings]\r\nWinState=0\r\n[Preferences]\r\nShow welcome window=1\r\n"},
        {std::nullopt,
         {{"Settings", "Cache path", "/evidence/cache/"}, {"Settings", "Cache path", ""}},
         "[Settings]\r\nCache path=\r\n"},
        {"; written by hand\n[Settings]\nTop=10\nLeft = 20\r\nUnknown=keep me\n\n"
         "[ColumnSizes]\nCol0=65\nCol3=99\n",
         {{"settings", "LEFT", "30"}},
         "; written by hand\n[Settings]\nTop=10\nLEFT=30\r\nUnknown=keep me\n\n"
         "[ColumnSizes]\nCol0=65\nCol3=99\n"},
        {"[Settings]\r\nTop=10\r\n\r\n; column widths\r\n[ColumnSizes]\r\nCol0=65",
         {{"Settings", "Width", "700"}, {"ColumnSizes", "Col1", "200"}},
         "[Settings]\r\nTop=10\r\nWidth=700\r\n\r\n; column widths\r\n"
         "[ColumnSizes]\r\nCol0=65\r\nCol1=200\r\n"},
        {"[Settings]\nTop=10",
         {{"Preferences", "Cell format: HTML", "1"}},
         "[Settings]\nTop=10\r\n[Preferences]\r\nCell format: HTML=1\r\n"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(m_path);
        if (c.Before)
            WriteWholeFile(m_path, *c.Before);
        for (const auto& [section, key, value] : c.Writes)
            Write(section, key, value);
        EXPECT_EQ(ReadWholeFile(m_path), c.After);
        EXPECT_EQ(Read(c.Writes.back()[0], c.Writes.back()[1]), c.Writes.back()[2]);
    }
    EXPECT_EQ(Read("Settings", "Top"), "10");
}

TEST_F(PrivateProfileTest, ValuesWithOuterBlanksOrQuotesComeBackAsWritten)
{
    for (const std::string value :
         {" /cases/lead", "/cases/trail ", "\"quoted\"", "'single'", "\"", "a \"b\""}) {
        Write("S", "K", value);
        EXPECT_EQ(Read("S", "K"), value);
    }
    Write("S", "K", "/plain/path/");
    EXPECT_EQ(ReadWholeFile(m_path), "[S]\r\nK=/plain/path/\r\n")
        << "ordinary values are written as they are";
}

TEST_F(PrivateProfileTest, LineBreaksInNamesOrValuesAreRefusedAndFileUnchanged)
{
    const std::string before = "[Settings]\r\nFile Name=a.txt\r\n";
    WriteWholeFile(m_path, before);
    PrivateProfile profile(m_path);
    EXPECT_FALSE(profile.WriteString("Settings", "File Name", "x\r\n[Evil]\r\nK=V"));
    EXPECT_FALSE(profile.WriteString("Settings", "File Name", "x\ny"));
    EXPECT_FALSE(profile.WriteString("Settings", "Key=", "v"));
    EXPECT_FALSE(profile.WriteString("Settings", "", "v"));
    EXPECT_FALSE(profile.WriteString("Sec]tion", "Key", "v"));
    EXPECT_FALSE(profile.WriteString("Sec\ntion", "Key", "v"));
    EXPECT_EQ(ReadWholeFile(m_path), before);
}

TEST_F(PrivateProfileTest, UnwritablePlacesFailAndKeepTheOldFile)
{
    // Tests may run as root, for whom permission bits do not stop a write: use places
    // no one can write to instead.
    const std::string blocker = m_dir.File("plainfile");
    WriteWholeFile(blocker, "not a folder");
    EXPECT_FALSE(PrivateProfile(blocker + "/Varnok5.ini").WriteString("S", "K", "v"));
    EXPECT_FALSE(PrivateProfile(blocker + "/sub/Varnok5.ini").WriteString("S", "K", "v"));
    EXPECT_EQ(ReadWholeFile(blocker), "not a folder");

    // A folder in the file's place cannot be read, so it is never replaced.
    std::filesystem::create_directory(m_path);
    EXPECT_FALSE(PrivateProfile(m_path).WriteString("S", "K", "v"));
    EXPECT_TRUE(std::filesystem::is_directory(m_path));
    EXPECT_EQ(PrivateProfile(m_path).ReadString("S", "K", "d"), "d");
}

// A folder that takes no new file fails the write; the old file stays and nothing is left
// beside it. With no descriptor to spare that happens to everyone; a read-only folder stops
// only ordinary users, since root may write there.
TEST_F(PrivateProfileTest, FolderThatTakesNoNewFileFailsAndKeepsTheFile)
{
    const std::string before = "[S]\r\nK=old\r\n";
    WriteWholeFile(m_path, before);
    {
        // One descriptor for the lock on the old file, none for the new one.
        const DescriptorShortage shortage(1);
        EXPECT_FALSE(PrivateProfile(m_path).WriteString("S", "K", "new"));
    }
    if (::geteuid() != 0) {
        std::filesystem::permissions(m_dir.Path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        EXPECT_FALSE(PrivateProfile(m_path).WriteString("S", "K", "new"));
        std::filesystem::permissions(m_dir.Path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    }
    EXPECT_EQ(ReadWholeFile(m_path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 1)
        << "no temporary file may be left behind";
}

TEST_F(PrivateProfileTest, WriteLeavesNoTemporaryFileAndKeepsPermissions)
{
    WriteWholeFile(m_path, "[S]\r\nK=old\r\n");
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_write);
    Write("S", "K", "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path()), {}), 1);
    EXPECT_EQ(std::filesystem::status(m_path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(PrivateProfileTest, WriteThroughLinkKeepsTheLink)
{
    const std::string real = m_dir.File("real.ini");
    WriteWholeFile(real, "[S]\r\nK=old\r\n");
    std::filesystem::create_symlink(real, m_path);
    Write("S", "K", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(m_path));
    EXPECT_EQ(ReadWholeFile(real), "[S]\r\nK=new\r\n");
}

// Something other than a regular file in the file's place (a pipe that would never end, a
// device that never stops giving bytes, a folder) reads as a missing file, without waiting,
// and is never written.
TEST_F(PrivateProfileTest, OnlyARegularFileIsReadOrWritten)
{
    const std::string fifo = m_dir.File("pipe.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string zero = m_dir.File("zero.ini");
    std::filesystem::create_symlink("/dev/zero", zero);
    const std::string folder = m_dir.File("folder.ini");
    std::filesystem::create_directory(folder);
    for (const std::string& path : {fifo, zero, folder}) {
        EXPECT_EQ(PrivateProfile(path).ReadString("S", "K", "default"), "default") << path;
        EXPECT_FALSE(PrivateProfile(path).WriteString("S", "K", "v")) << path;
    }
    EXPECT_EQ(std::filesystem::status(fifo).type(), std::filesystem::file_type::fifo);
    EXPECT_TRUE(std::filesystem::is_symlink(zero));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
}

// No settings file comes near a MiB: a larger one is read only that far, and is not
// rewritten, since the rest of it could not be kept.
TEST_F(PrivateProfileTest, OnlyTheFirstMebibyteIsRead)
{
    const std::string head = "[S]\r\nEarly=1\r\n";
    const std::string contents = head + std::string(10'000'000, '\n') + "[S]\r\nLate=2\r\n";
    WriteWholeFile(m_path, contents);
    EXPECT_EQ(Read("S", "Early"), "1");
    EXPECT_EQ(Read("S", "Late"), "<none>");
    EXPECT_FALSE(PrivateProfile(m_path).WriteString("S", "Early", "3"));
    EXPECT_EQ(std::filesystem::file_size(m_path), contents.size());

    WriteWholeFile(m_path, head + std::string(1024 * 1024 - head.size() - 8, '\n') + "Late=2\r\n");
    EXPECT_EQ(Read("S", "Late"), "2") << "a file of exactly a MiB is read whole";
    Write("S", "Early", "3");
    EXPECT_EQ(Read("S", "Early"), "3");
}

// Two running copies writing at the same time: every key either of them wrote survives.
TEST_F(PrivateProfileTest, ConcurrentWritersLoseNothing)
{
    constexpr int kKeys = 150;
    std::vector<pid_t> writers;
    for (const char* name : {"A", "B"}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            bool allWritten = true;
            for (int i = 0; i < kKeys; ++i) {
                const std::string key = std::string(name) + std::to_string(i);
                allWritten = PrivateProfile(m_path).WriteString("S", key, key) && allWritten;
            }
            ::_exit(allWritten ? 0 : 1);
        }
        writers.push_back(child);
    }
    for (const pid_t child : writers) {
        int status = -1;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    int missing = 0;
    for (const char* name : {"A", "B"}) {
        for (int i = 0; i < kKeys; ++i) {
            const std::string key = std::string(name) + std::to_string(i);
            missing += Read("S", key) == key ? 0 : 1;
        }
    }
    EXPECT_EQ(missing, 0);
}

// Only an absolute XDG_CONFIG_HOME counts; otherwise the file lives in ~/.config.
TEST(DefaultSettingsFilePath, FollowsXdgConfigHomeElseHome)
{
    const ScopedEnv home("HOME", "/home/analyst");
    for (const auto& [config, expected] :
         {std::pair{"/xdg/config", "/xdg/config/Varnok5.ini"},
          std::pair{"/xdg/config/", "/xdg/config/Varnok5.ini"},
          std::pair{"", "/home/analyst/.config/Varnok5.ini"},
          std::pair{"relative/config", "/home/analyst/.config/Varnok5.ini"}}) {
        const ScopedEnv env("XDG_CONFIG_HOME", config);
        EXPECT_EQ(DefaultSettingsFilePath(), expected) << config;
    }
}

} // namespace

} // namespace varnok
