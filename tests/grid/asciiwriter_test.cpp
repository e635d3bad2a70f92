#include <gtest/gtest.h>

#include <sstream>

#include "grid/resultgrid.h"
#include "gridfixtures.h"

namespace varnok {

namespace {

std::string ascii(const TResultGrid& grid)
{
    std::ostringstream out;
    EXPECT_TRUE(grid.SaveToASCII(out));
    return out.str();
}

} // namespace

TEST(AsciiWriterTest, PadsEveryCellToItsColumnWidthPlusOne)
{
    TResultGrid grid;
    FillExampleList(grid);
    const std::string expected = "No. URL    Latest visit        \r\n"
                                 "1   x.htm  05/06/2004 10:11:12 \r\n";
    EXPECT_EQ(ascii(grid), expected);
    // The text file holds every row and column whatever the fixed-cells setting says.
    grid.IncludeFixedCells = false;
    EXPECT_EQ(ascii(grid), expected);
}

TEST(AsciiWriterTest, ClearedGridGivesTwoLinesOfThreeBlanks)
{
    TResultGrid grid;
    FillExampleList(grid);
    grid.Clear();
    grid.SetRowCountEx(2);
    EXPECT_EQ(ascii(grid), "   \r\n   \r\n");
}

TEST(AsciiWriterTest, FurtherLinesOfACellGoToContinuationLinesAtItsColumn)
{
    TResultGrid grid;
    FillCaptions(grid);
    AddEntry(grid, 1, "1", "a\r\nb", "t");
    // Widths 3, 6, 12: column 1 starts at 4.
    EXPECT_EQ(ascii(grid), "No. URL    Latest visit \r\n"
                           "1   a      t            \r\n"
                           "    b\r\n");
}

TEST(AsciiWriterTest, ContinuationLinesOfSeveralColumnsShareLines)
{
    TResultGrid grid;
    AddEntry(grid, 0, "1\r\n2\r\n3", "abc", "x\r\ny");
    EXPECT_EQ(ascii(grid), "1 abc x \r\n"
                           "2     y\r\n"
                           "3\r\n"
                           "        \r\n");
}

TEST(AsciiWriterTest, LoneBreakCharactersFollowTheWidthRules)
{
    TResultGrid grid;
    grid.SetRowCountEx(1);
    // Widths end lines at every CR, written lines only at CR LF: the CR text is 5 long
    // with a width of 3 and gets no blanks; LF alone is an ordinary character.
    grid.SetCellEx(0, 0, "a\rbcd");
    grid.SetCellEx(1, 0, "x\ny");
    EXPECT_EQ(ascii(grid), "a\rbcdx\ny  \r\n");
}

} // namespace varnok
