#include "app/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "grid/table/basegrid.h"
#include "platform/privateprofile.h"
#include "support/testsupport.h"

namespace varnok {

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

// Column widths: one key a column in the section the grid names; the grid's design widths
// are 65, 150, 150.

TEST_F(SettingsTest, ColumnWidthsSaveOneKeyPerColumnAndKeepOtherLines)
{
    WriteWholeFile(m_path, "[Settings]\r\nTop=111\r\n[ColumnSizes]\r\nCol3=999\r\n");
    TBaseGrid grid;
    grid.SetColWidth(1, 321);
    m_settings.WriteColumnWidths(grid);
    const PrivateProfile profile(m_path);
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col0", ""), "65");
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col1", ""), "321");
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col2", ""), "150");
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col3", ""), "999");
    EXPECT_EQ(profile.ReadString("Settings", "Top", ""), "111");
}

TEST_F(SettingsTest, ColumnWidthsLoadIntegersAndLeaveTheRest)
{
    WriteWholeFile(m_path, "[ColumnSizes]\r\nCol0=80\r\nCol1=-1\r\nCol2=wide\r\nCol3=999\r\n");
    TBaseGrid grid;
    m_settings.ReadColumnWidths(grid);
    EXPECT_EQ(grid.ColWidth(0), 80);
    EXPECT_EQ(grid.ColWidth(1), 150); // -1 leaves the width
    EXPECT_EQ(grid.ColWidth(2), 150); // not a number

    // The fourth column's key is neither read nor removed by a save.
    m_settings.WriteColumnWidths(grid);
    EXPECT_EQ(m_settings.ReadText("ColumnSizes", "Col3", ""), "999");
    EXPECT_NE(ReadWholeFile(m_path).find("Col3=999\r\n"), std::string::npos);
}

TEST_F(SettingsTest, ColumnWidthsLoadHexadecimalAndIgnoreImpossibleWidths)
{
    WriteWholeFile(m_path, "[columnsizes]\ncol0=0x20\ncol1=$40\ncol2=-7\n");
    TBaseGrid grid;
    m_settings.ReadColumnWidths(grid);
    EXPECT_EQ(grid.ColWidth(0), 32);
    EXPECT_EQ(grid.ColWidth(1), 64);
    EXPECT_EQ(grid.ColWidth(2), 150);

    WriteWholeFile(m_path, "[ColumnSizes]\nCol0=2147483647\nCol1=12abc\n");
    m_settings.ReadColumnWidths(grid);
    EXPECT_EQ(grid.ColWidth(0), 32);
    EXPECT_EQ(grid.ColWidth(1), 64);
}

TEST_F(SettingsTest, ColumnWidthsStayWithoutFileOrSection)
{
    TBaseGrid grid;
    VarnokSettings(m_dir.File("none.ini")).ReadColumnWidths(grid);
    EXPECT_EQ(grid.ColWidth(0), 65);

    WriteWholeFile(m_path, "[ColumnSizes]\r\nCol0=80\r\n");
    TColumnSizeSettings noSection;
    noSection.Section.clear();
    grid.SetColumnSize(noSection);
    m_settings.ReadColumnWidths(grid);
    EXPECT_EQ(grid.ColWidth(0), 65);
}

TEST_F(SettingsTest, ColumnWidthsAreNotWrittenWithoutKeyOrSection)
{
    TBaseGrid grid;
    TColumnSizeSettings noKey;
    noKey.Key.clear();
    grid.SetColumnSize(noKey);
    m_settings.WriteColumnWidths(grid);
    EXPECT_FALSE(std::filesystem::exists(m_path));
}

TEST_F(SettingsTest, ColumnWidthsRefusedRaiseWithTheFileName)
{
    WriteWholeFile(m_dir.File("not-a-folder"), "");
    const std::string path = m_dir.File("not-a-folder/Varnok5.ini");
    VarnokSettings settings(path);
    try {
        settings.WriteColumnWidths(TBaseGrid());
        FAIL() << "no error";
    } catch (const ESettingsWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
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

} // namespace varnok
