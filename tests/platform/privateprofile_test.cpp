#include "platform/privateprofile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "support/testsupport.h"

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

TEST_F(PrivateProfileTest, NamesMatchWithoutRegardToCase)
{
    WriteWholeFile(m_path, "[settings]\nDATE FORMAT=2\n");
    EXPECT_EQ(Read("Settings", "Date format"), "2");
    EXPECT_EQ(Read("SETTINGS", "date Format"), "2");
}

TEST_F(PrivateProfileTest, ValuesLoseBlanksAndOnePairOfQuotes)
{
    WriteWholeFile(m_path, "[S]\n"
                           "  Plain  =   some value \t\n"
                           "Double=\"  kept blanks  \"\n"
                           "Single='x'\n"
                           "Nested=\"\"twice\"\"\n"
                           "Unmatched=\"open\n"
                           "Inner=a \"b\" c\n");
    EXPECT_EQ(Read("S", "Plain"), "some value");
    EXPECT_EQ(Read("S", "Double"), "  kept blanks  ");
    EXPECT_EQ(Read("S", "Single"), "x");
    EXPECT_EQ(Read("S", "Nested"), "\"twice\"");
    EXPECT_EQ(Read("S", "Unmatched"), "\"open");
    EXPECT_EQ(Read("S", "Inner"), "a \"b\" c");
}

TEST_F(PrivateProfileTest, CrLfAndLfLinesAreBothRead)
{
    WriteWholeFile(m_path, "[A]\r\nOne=1\r\n[B]\nTwo=2\nThree=3");
    EXPECT_EQ(Read("A", "One"), "1");
    EXPECT_EQ(Read("B", "Two"), "2");
    EXPECT_EQ(Read("B", "Three"), "3");
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

TEST_F(PrivateProfileTest, FirstWriteCreatesFileWithCrLf)
{
    Write("Settings", "WinState", "0");
    EXPECT_EQ(ReadWholeFile(m_path), "[Settings]\r\nWinState=0\r\n");
    Write("Preferences", "Show welcome window", "1");
    EXPECT_EQ(ReadWholeFile(m_path),
              "[Settings]\r\nWinState=0\r\n[Preferences]\r\nShow welcome window=1\r\n");
}

TEST_F(PrivateProfileTest, WriteChangesOnlyItsOwnLine)
{
    const std::string before = "; written by hand\n"
                               "[Settings]\n"
                               "Top=10\n"
                               "Left = 20\r\n"
                               "Unknown=keep me\n"
                               "\n"
                               "[ColumnSizes]\n"
                               "Col0=65\n"
                               "Col3=99\n";
    WriteWholeFile(m_path, before);
    Write("settings", "LEFT", "30");
    EXPECT_EQ(ReadWholeFile(m_path), "; written by hand\n"
                                     "[Settings]\n"
                                     "Top=10\n"
                                     "LEFT=30\r\n"
                                     "Unknown=keep me\n"
                                     "\n"
                                     "[ColumnSizes]\n"
                                     "Col0=65\n"
                                     "Col3=99\n");
}

TEST_F(PrivateProfileTest, MissingKeyGoesAfterTheLastEntryOfItsSection)
{
    WriteWholeFile(m_path,
                   "[Settings]\r\nTop=10\r\n\r\n; column widths\r\n[ColumnSizes]\r\nCol0=65");
    Write("Settings", "Width", "700");
    Write("ColumnSizes", "Col1", "200");
    EXPECT_EQ(ReadWholeFile(m_path), "[Settings]\r\nTop=10\r\nWidth=700\r\n\r\n; column widths\r\n"
                                     "[ColumnSizes]\r\nCol0=65\r\nCol1=200\r\n");
}

TEST_F(PrivateProfileTest, MissingSectionIsAppendedAtTheEnd)
{
    WriteWholeFile(m_path, "[Settings]\nTop=10");
    Write("Preferences", "Cell format: HTML", "1");
    EXPECT_EQ(ReadWholeFile(m_path),
              "[Settings]\nTop=10\r\n[Preferences]\r\nCell format: HTML=1\r\n");
    EXPECT_EQ(Read("Preferences", "Cell format: HTML"), "1");
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

TEST_F(PrivateProfileTest, EmptyValueIsWrittenAndKeyStays)
{
    Write("Settings", "Cache path", "/evidence/cache/");
    Write("Settings", "Cache path", "");
    EXPECT_EQ(ReadWholeFile(m_path), "[Settings]\r\nCache path=\r\n");
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

TEST_F(PrivateProfileTest, ReadOnlyFolderFailsForNonRoot)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    const std::string before = "[S]\r\nK=old\r\n";
    WriteWholeFile(m_path, before);
    std::filesystem::permissions(m_dir.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(PrivateProfile(m_path).WriteString("S", "K", "new"));
    std::filesystem::permissions(m_dir.Path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
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

TEST(DefaultSettingsFilePath, FollowsXdgConfigHomeElseHome)
{
    const ScopedEnv home("HOME", "/home/analyst");
    {
        const ScopedEnv config("XDG_CONFIG_HOME", "/xdg/config");
        EXPECT_EQ(DefaultSettingsFilePath(), "/xdg/config/Varnok5.ini");
    }
    {
        const ScopedEnv config("XDG_CONFIG_HOME", "/xdg/config/");
        EXPECT_EQ(DefaultSettingsFilePath(), "/xdg/config/Varnok5.ini");
    }
    {
        const ScopedEnv config("XDG_CONFIG_HOME", "");
        EXPECT_EQ(DefaultSettingsFilePath(), "/home/analyst/.config/Varnok5.ini");
    }
    {
        const ScopedEnv config("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(DefaultSettingsFilePath(), "/home/analyst/.config/Varnok5.ini");
    }
}

} // namespace
