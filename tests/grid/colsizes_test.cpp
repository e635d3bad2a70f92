#include <gtest/gtest.h>

#include "grid/basegrid.h"
#include "platform/privateprofile.h"
#include "support/testsupport.h"

TEST(ColSizesTest, SavesOneKeyPerColumnAndKeepsOtherLines)
{
    TempDir dir;
    const std::string path = dir.File("Varnok5.ini");
    WriteWholeFile(path, "[Settings]\r\nTop=111\r\n[ColumnSizes]\r\nCol3=999\r\n");
    PrivateProfile profile(path);
    TBaseGrid grid;
    grid.SetColWidth(1, 321);
    grid.SaveColSizes(profile);
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col0", ""), "65");
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col1", ""), "321");
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col2", ""), "150");
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col3", ""), "999");
    EXPECT_EQ(profile.ReadString("Settings", "Top", ""), "111");
}

TEST(ColSizesTest, LoadTakesIntegersAndLeavesTheRest)
{
    TempDir dir;
    const std::string path = dir.File("Varnok5.ini");
    WriteWholeFile(path, "[ColumnSizes]\r\nCol0=80\r\nCol1=-1\r\nCol2=wide\r\nCol3=999\r\n");
    PrivateProfile profile(path);
    TBaseGrid grid;
    grid.LoadColSizes(profile);
    EXPECT_EQ(grid.ColWidth(0), 80);
    EXPECT_EQ(grid.ColWidth(1), 150); // -1 leaves the width
    EXPECT_EQ(grid.ColWidth(2), 150); // not a number

    // The fourth column's key is neither read nor removed by a save.
    grid.SaveColSizes(profile);
    EXPECT_EQ(profile.ReadString("ColumnSizes", "Col3", ""), "999");
    EXPECT_NE(ReadWholeFile(path).find("Col3=999\r\n"), std::string::npos);
}

TEST(ColSizesTest, LoadReadsHexadecimalAndIgnoresImpossibleWidths)
{
    TempDir dir;
    const std::string path = dir.File("Varnok5.ini");
    WriteWholeFile(path, "[columnsizes]\ncol0=0x20\ncol1=$40\ncol2=-7\n");
    PrivateProfile profile(path);
    TBaseGrid grid;
    grid.LoadColSizes(profile);
    EXPECT_EQ(grid.ColWidth(0), 32);
    EXPECT_EQ(grid.ColWidth(1), 64);
    EXPECT_EQ(grid.ColWidth(2), 150);

    WriteWholeFile(path, "[ColumnSizes]\nCol0=2147483647\nCol1=12abc\n");
    grid.LoadColSizes(profile);
    EXPECT_EQ(grid.ColWidth(0), 32);
    EXPECT_EQ(grid.ColWidth(1), 64);
}

TEST(ColSizesTest, MissingFileOrSectionLeavesWidths)
{
    TempDir dir;
    TBaseGrid grid;
    grid.LoadColSizes(PrivateProfile(dir.File("none.ini")));
    EXPECT_EQ(grid.ColWidth(0), 65);

    const std::string path = dir.File("Varnok5.ini");
    WriteWholeFile(path, "[ColumnSizes]\r\nCol0=80\r\n");
    grid.ColumnSize.Section.clear();
    grid.LoadColSizes(PrivateProfile(path));
    EXPECT_EQ(grid.ColWidth(0), 65);
}

TEST(ColSizesTest, NothingIsWrittenWithoutKeyOrSection)
{
    TempDir dir;
    const std::string path = dir.File("Varnok5.ini");
    PrivateProfile profile(path);
    TBaseGrid grid;
    grid.ColumnSize.Key.clear();
    grid.SaveColSizes(profile);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ColSizesTest, UnwritableSettingsFileRaises)
{
    TempDir dir;
    WriteWholeFile(dir.File("not-a-folder"), "");
    const std::string path = dir.File("not-a-folder/Varnok5.ini");
    PrivateProfile profile(path);
    TBaseGrid grid;
    try {
        grid.SaveColSizes(profile);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
}
