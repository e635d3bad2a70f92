#include "app/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/testsupport.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    TempDir m_dir;
    std::string m_path = m_dir.File("Varnok5.ini");
    VarnokSettings m_settings{m_path};
};

TEST_F(SettingsTest, WithoutFileEveryKeyReadsItsDefault)
{
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::DateFormat), 1);
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::Top), 111);
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::Left), 60);
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::Height), 470);
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::Width), 700);
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::WinState), 0);
    EXPECT_EQ(m_settings.ReadText(SettingsKey::FontName), "MS Sans Serif");
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::FontSize), 8);
    EXPECT_EQ(m_settings.ReadText(SettingsKey::CachePath), "");
    EXPECT_EQ(m_settings.ReadText(SettingsKey::InitialDir), "C:\\Windows\\Desktop");
    EXPECT_EQ(m_settings.ReadText(SettingsKey::FileName), "CacheList.txt");
    EXPECT_FALSE(m_settings.ReadBoolean(SettingsKey::ShowTextOnly));
    EXPECT_TRUE(m_settings.ReadBoolean(SettingsKey::ShowWelcomeWindow));
    EXPECT_FALSE(m_settings.ReadBoolean(SettingsKey::CellFormatHtml));

    const ProgramSettings loaded = m_settings.LoadProgramSettings();
    EXPECT_EQ(loaded.DateFormat, 1);
    EXPECT_TRUE(loaded.ShowAllEntries);
    EXPECT_FALSE(loaded.CellFormatHtml);
    EXPECT_TRUE(loaded.ShowWelcome);
    EXPECT_EQ(loaded.WinStateAtStart, 0);
    EXPECT_EQ(loaded.DefaultCachePath, "");
    EXPECT_FALSE(m_settings.FileExists()) << "reading must not create the file";
}

TEST_F(SettingsTest, IntegerConversion)
{
    WriteWholeFile(m_path, "[Settings]\n"
                           "Top=0x1F\n"
                           "Left=$1F\n"
                           "Height=abc\n"
                           "Width=12abc\n"
                           "Font Size=  -7  \n"
                           "Date format=\"2\"\n"
                           "WinState=\n"
                           "Hex=0X1f\n"
                           "Bare=0x\n");
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::Top), 31);
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::Left), 31);
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::Height), 470);
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::Width), 700);
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::FontSize), -7);
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::DateFormat), 2);
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::WinState), 0);
    EXPECT_EQ(m_settings.ReadInteger("Settings", "Hex", 5), 31);
    EXPECT_EQ(m_settings.ReadInteger("Settings", "Bare", 5), 5);
    EXPECT_EQ(m_settings.ReadInteger("Settings", "Missing", -1), -1);
}

TEST_F(SettingsTest, BooleansAreNonZeroIntegers)
{
    WriteWholeFile(m_path, "[Settings]\nShow text only=2\n"
                           "[Preferences]\nShow welcome window=0\nCell format: HTML=yes\n");
    EXPECT_TRUE(m_settings.ReadBoolean(SettingsKey::ShowTextOnly));
    EXPECT_FALSE(m_settings.ReadBoolean(SettingsKey::ShowWelcomeWindow));
    EXPECT_FALSE(m_settings.ReadBoolean(SettingsKey::CellFormatHtml))
        << "unconvertible gives the default";

    const ProgramSettings loaded = m_settings.LoadProgramSettings();
    EXPECT_FALSE(loaded.ShowAllEntries);
    EXPECT_FALSE(loaded.ShowWelcome);
    EXPECT_FALSE(loaded.CellFormatHtml);
}

TEST_F(SettingsTest, LoadsProgramSettingsFromFile)
{
    WriteWholeFile(
        m_path,
        "[settings]\r\ndate FORMAT=2\r\nWinState=2\r\nCache path = \"/cases/17/cache/\" \r\n"
        "[PREFERENCES]\r\nCell format: html=1\r\n");
    const ProgramSettings loaded = m_settings.LoadProgramSettings();
    EXPECT_EQ(loaded.DateFormat, 2);
    EXPECT_EQ(loaded.WinStateAtStart, 2);
    EXPECT_EQ(loaded.DefaultCachePath, "/cases/17/cache/");
    EXPECT_TRUE(loaded.CellFormatHtml);
    EXPECT_TRUE(loaded.ShowAllEntries);
}

TEST_F(SettingsTest, WritesKeepEverythingElse)
{
    const std::string before = "; my notes\r\n"
                               "[Settings]\r\n"
                               "Top=5\r\n"
                               "Custom=hand-made\r\n"
                               "[ColumnSizes]\r\n"
                               "Col0=65\r\n"
                               "Col3=120\r\n";
    WriteWholeFile(m_path, before);
    m_settings.WriteInteger(SettingsKey::Top, -12);
    m_settings.WriteInteger(SettingsKey::WinState, 2);
    m_settings.WriteText(SettingsKey::InitialDir, "/cases/out/");
    m_settings.WriteBoolean(SettingsKey::ShowWelcomeWindow, false);
    m_settings.WriteBoolean(SettingsKey::ShowTextOnly, true);
    // Clearing the cache path keeps the key, empty.
    m_settings.WriteText(SettingsKey::CachePath, "/cases/17/cache/");
    m_settings.WriteText(SettingsKey::CachePath, "");
    EXPECT_EQ(ReadWholeFile(m_path), "; my notes\r\n"
                                     "[Settings]\r\n"
                                     "Top=-12\r\n"
                                     "Custom=hand-made\r\n"
                                     "WinState=2\r\n"
                                     "Initial Dir=/cases/out/\r\n"
                                     "Show text only=1\r\n"
                                     "Cache path=\r\n"
                                     "[ColumnSizes]\r\n"
                                     "Col0=65\r\n"
                                     "Col3=120\r\n"
                                     "[Preferences]\r\n"
                                     "Show welcome window=0\r\n");
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::Top), -12);
    EXPECT_EQ(m_settings.ReadText(SettingsKey::InitialDir), "/cases/out/");
    EXPECT_FALSE(m_settings.ReadBoolean(SettingsKey::ShowWelcomeWindow));
    const ProgramSettings loaded = m_settings.LoadProgramSettings();
    EXPECT_FALSE(loaded.ShowAllEntries);
    EXPECT_EQ(loaded.DefaultCachePath, "");
}

TEST_F(SettingsTest, EachOperationSeesTheFileAsItIsNow)
{
    VarnokSettings other(m_path);
    m_settings.WriteInteger(SettingsKey::DateFormat, 2);
    EXPECT_EQ(other.ReadInteger(SettingsKey::DateFormat), 2);
    WriteWholeFile(m_path, "[Settings]\r\nDate format=1\r\n");
    EXPECT_EQ(m_settings.ReadInteger(SettingsKey::DateFormat), 1);
}

TEST_F(SettingsTest, RefusedWriteThrowsWithFileNameAndKeepsOldFile)
{
    const std::string blocker = m_dir.File("notafolder");
    WriteWholeFile(blocker, "plain file");
    const std::string unwritable = blocker + "/Varnok5.ini";
    VarnokSettings settings(unwritable);
    try {
        settings.WriteInteger(SettingsKey::WinState, 0);
        FAIL() << "the write should have been refused";
    } catch (const ESettingsWriteError& error) {
        EXPECT_STREQ(error.what(), ("Unable to write to " + unwritable).c_str());
    }
    EXPECT_EQ(ReadWholeFile(blocker), "plain file");

    // A value the file cannot hold is refused the same way, and the file stays as it was.
    const std::string before = "[Settings]\r\nFile Name=/cases/a.txt\r\n";
    WriteWholeFile(m_path, before);
    EXPECT_THROW(m_settings.WriteText(SettingsKey::FileName, "/cases/b\n[Settings]\nTop=1"),
                 ESettingsWriteError);
    EXPECT_EQ(ReadWholeFile(m_path), before);
}

TEST(VarnokSettingsPlace, DefaultFileFollowsXdgConfigHome)
{
    const TempDir dir;
    const std::string configHome = dir.File("config");
    const ScopedEnv env("XDG_CONFIG_HOME", configHome);
    VarnokSettings settings;
    EXPECT_EQ(settings.FilePath(), configHome + "/Varnok5.ini");
    EXPECT_FALSE(settings.FileExists());
    settings.WriteInteger(SettingsKey::WinState, 0);
    EXPECT_TRUE(settings.FileExists());
    EXPECT_EQ(ReadWholeFile(configHome + "/Varnok5.ini"), "[Settings]\r\nWinState=0\r\n");
    EXPECT_EQ(std::filesystem::status(configHome).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
}

} // namespace
