#include <gtest/gtest.h>

#include <sstream>

#include "grid/resultgrid.h"
#include "gridfixtures.h"

namespace varnok {

namespace {

std::string csv(const TResultGrid& grid)
{
    std::ostringstream out;
    EXPECT_TRUE(grid.SaveToCSV(out));
    return out.str();
}

// The CSV line of one entry whose address is `address`.
std::string csvOfAddress(const std::string& address)
{
    TResultGrid grid;
    grid.SetRowCountEx(1);
    grid.SetCellEx(0, 0, "1");
    grid.SetCellEx(1, 0, address);
    grid.SetCellEx(2, 0, "t");
    return csv(grid);
}

} // namespace

TEST(CsvWriterTest, WritesCaptionsAndEntriesWithTheSeparator)
{
    TResultGrid grid;
    FillExampleList(grid);
    EXPECT_EQ(csv(grid), "No.;URL   ;Latest visit\r\n"
                         "1;x.htm;05/06/2004 10:11:12\r\n");
    // Without fixed cells the captions and numbers stay out.
    grid.IncludeFixedCells = false;
    EXPECT_EQ(csv(grid), "x.htm;05/06/2004 10:11:12\r\n");
}

TEST(CsvWriterTest, ClearedGridGivesQuotedEmptyValues)
{
    TResultGrid grid;
    FillExampleList(grid);
    grid.Clear();
    grid.SetRowCountEx(2);
    EXPECT_EQ(csv(grid), "\"\";\"\";\"\"\r\n\"\";\"\";\"\"\r\n");

    grid.QuoteEmptyCSVCells = false;
    EXPECT_EQ(csv(grid), ";;\r\n;;\r\n");
}

TEST(CsvWriterTest, AnchorsAreWrittenUnlessTheyHoldTheSeparator)
{
    EXPECT_EQ(csvOfAddress("<A href=\"x.htm\">x.htm</A>"), "1;<A href=\"x.htm\">x.htm</A>;t\r\n");
    // Enclosed values double their quotation marks, so spreadsheets read them back.
    EXPECT_EQ(csvOfAddress("<A href=\"a;b\">a;b</A>"), "1;\"<A href=\"\"a;b\"\">a;b</A>\";t\r\n");
}

TEST(CsvWriterTest, QuotesAreDoubledOnlyInsideEnclosedValues)
{
    EXPECT_EQ(csvOfAddress("say \"hi\""), "1;say \"hi\";t\r\n");
    EXPECT_EQ(csvOfAddress("\";\""), "1;\"\"\";\"\"\";t\r\n");
    EXPECT_EQ(csvOfAddress("http://a/?x=\"1\";y=2&z=3"),
              "1;\"http://a/?x=\"\"1\"\";y=2&z=3\";t\r\n");
}

// Addresses from a hostile index file that would split their row or shift its columns
// in a spreadsheet unless enclosed.
TEST(CsvWriterTest, ValuesThatWouldSplitTheRowAreEnclosed)
{
    const struct {
        const char* Address;
        const char* Line;
    } cases[] = {
        {"a\r\nb", "1;\"a\nb\";t\r\n"},
        {"a\rb", "1;\"a\rb\";t\r\n"},
        {"a\nb", "1;\"a\nb\";t\r\n"},
        {"http://x/\n2;evil;row", "1;\"http://x/\n2;evil;row\";t\r\n"},
        {"\"x", "1;\"\"\"x\";t\r\n"},
        {"\"a\";b", "1;\"\"\"a\"\";b\";t\r\n"},
        {"\"\"", "1;\"\"\"\"\"\";t\r\n"},
        {"x\"", "1;x\";t\r\n"}, // a quotation mark that does not begin the value is plain
    };
    for (const auto& c : cases)
        EXPECT_EQ(csvOfAddress(c.Address), c.Line) << c.Address;
}

TEST(CsvWriterTest, NulSeparatorMeansComma)
{
    TResultGrid grid;
    FillExampleList(grid);
    grid.CSVSeparator = '\0';
    grid.SetCellEx(1, 1, "a,b;c");
    EXPECT_EQ(csv(grid), "No.,URL   ,Latest visit\r\n"
                         "1,\"a,b;c\",05/06/2004 10:11:12\r\n");
}

TEST(CsvWriterTest, CellBytesPassUnchanged)
{
    EXPECT_EQ(csvOfAddress("caf\xE9\x80"), "1;caf\xE9\x80;t\r\n");
}

} // namespace varnok
