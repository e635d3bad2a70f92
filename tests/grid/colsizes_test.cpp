#include <gtest/gtest.h>

#include "grid/table/basegrid.h"
#include "platform/privateprofile.h"
#include "support/testsupport.h"

namespace {

// A grid with its design widths 65, 150, 150 and a settings file in a fresh folder.
class ColSizesTest : public ::testing::Test {
protected:
    PrivateProfile ProfileWith(const std::string& text)
    {
        WriteWholeFile(m_path, text);
        return PrivateProfile(m_path);
    }

    TempDir m_dir;
    const std::string m_path = m_dir.File("Varnok5.ini");
    TBaseGrid m_grid;
};

} // namespace

TEST_F(ColSizesTest, SavesOneKeyPerColumnAndKeepsOtherLines)
{
    PrivateProfile profile = ProfileWith("[Settings]\r\nTop=111\r\n[ColumnSizes]\r\nCol3=999\r\n");
    m_grid.SetColWidth(1, 321);
    m_grid.SaveColSizes(profile);
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col0", ""), "65");
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col1", ""), "321");
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col2", ""), "150");
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col3", ""), "999");
    EXPECT_EQ(profile.ReadString("Settings", "Top", ""), "111");
}

TEST_F(ColSizesTest, LoadTakesIntegersAndLeavesTheRest)
{
    PrivateProfile profile =
        ProfileWith("[ColumnSizes]\r\nCol0=80\r\nCol1=-1\r\nCol2=wide\r\nCol3=999\r\n");
    m_grid.LoadColSizes(profile);
    EXPECT_EQ(m_grid.ColWidth(0), 80);
    EXPECT_EQ(m_grid.ColWidth(1), 150); // -1 leaves the width
    EXPECT_EQ(m_grid.ColWidth(2), 150); // not a number

    // The fourth column's key is neither read nor removed by a save.
    m_grid.SaveColSizes(profile);
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col3", ""), "999");
    EXPECT_NE(ReadWholeFile(m_path).find("Col3=999\r\n"), std::string::npos);
}

TEST_F(ColSizesTest, LoadReadsHexadecimalAndIgnoresImpossibleWidths)
{
    PrivateProfile profile = ProfileWith("[columnsizes]\ncol0=0x20\ncol1=$40\ncol2=-7\n");
    m_grid.LoadColSizes(profile);
    EXPECT_EQ(m_grid.ColWidth(0), 32);
    EXPECT_EQ(m_grid.ColWidth(1), 64);
    EXPECT_EQ(m_grid.ColWidth(2), 150);

    WriteWholeFile(m_path, "[ColumnSizes]\nCol0=2147483647\nCol1=12abc\n");
    m_grid.LoadColSizes(profile);
    EXPECT_EQ(m_grid.ColWidth(0), 32);
    EXPECT_EQ(m_grid.ColWidth(1), 64);
}

TEST_F(ColSizesTest, MissingFileOrSectionLeavesWidths)
{
    m_grid.LoadColSizes(PrivateProfile(m_dir.File("none.ini")));
    EXPECT_EQ(m_grid.ColWidth(0), 65);

    const PrivateProfile profile = ProfileWith("[ColumnSizes]\r\nCol0=80\r\n");
    m_grid.ColumnSize.Section.clear();
    m_grid.LoadColSizes(profile);
    EXPECT_EQ(m_grid.ColWidth(0), 65);
}

TEST_F(ColSizesTest, NothingIsWrittenWithoutKeyOrSection)
{
    m_grid.ColumnSize.Key.clear();
    PrivateProfile profile(m_path);
    m_grid.SaveColSizes(profile);
    EXPECT_FALSE(std::filesystem::exists(m_path));
}

TEST_F(ColSizesTest, UnwritableSettingsFileRaises)
{
    WriteWholeFile(m_dir.File("not-a-folder"), "");
    const std::string path = m_dir.File("not-a-folder/Varnok5.ini");
    PrivateProfile profile(path);
    try {
        m_grid.SaveColSizes(profile);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
}
