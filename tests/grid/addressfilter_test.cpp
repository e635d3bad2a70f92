#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/resultgrid.h"
#include "grid/search/addressfilter.h"
#include "gridfixtures.h"

namespace varnok {

namespace {

const std::vector<std::string> kAddresses = {"http://a/setup.exe", "http://b/pic.GIF",
                                             "http://c/index.htm", "http://d/data.zip",
                                             "ftp://e/index.html"};

// The list as a read leaves it: each entry's visit text names its address, so a test can
// see that the row moved as a whole.
void FillList(TBaseGrid& grid, bool asAnchors)
{
    FillCaptions(grid);
    for (std::size_t i = 0; i < kAddresses.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const std::string& address = kAddresses[i];
        AddEntry(grid, row, std::to_string(row), asAnchors ? Anchor(address) : address,
                 "visit " + address);
    }
}

struct FilterCase {
    std::string Condition;
    bool AsAnchors;
    std::vector<std::string> Kept;
};

} // namespace

TEST(AddressFilterTest, KeepsMatchingRowsRenumbered)
{
    const std::vector<FilterCase> cases = {
        {"*.exe;*.zip", false, {"http://a/setup.exe", "http://d/data.zip"}},
        {"*.zip ^ *.exe", false, {"http://a/setup.exe", "http://d/data.zip"}},
        {"*index*&*.htm", false, {"http://c/index.htm"}},
        {"!*.htm*", false, {"http://a/setup.exe", "http://b/pic.GIF", "http://d/data.zip"}},
        {"*.gif", false, {"http://b/pic.GIF"}},
        {"http://?/*", false, {kAddresses[0], kAddresses[1], kAddresses[2], kAddresses[3]}},
        {">http://c", false, {"http://c/index.htm", "http://d/data.zip"}},
        {"<http://b", false, {"http://a/setup.exe", "ftp://e/index.html"}},
        // Anchors are matched with their markup, which ends in "</A>". Written into the
        // condition, its ">" is a greater test with an empty operand, which every text
        // passes; "?" stands for the brackets instead.
        {"*.exe;*.zip", true, {}},
        {"*.exe</a>", true, kAddresses},
        {"*.exe?/a?", true, {"http://a/setup.exe"}},
        {"*href=\"ftp:*", true, {"ftp://e/index.html"}},
    };
    for (const FilterCase& test : cases) {
        TResultGrid grid;
        FillList(grid, test.AsAnchors);
        const int kept = FilterRowsByAddress(grid, test.Condition, ShortDateFormat{});
        ASSERT_EQ(kept, static_cast<int>(test.Kept.size())) << test.Condition;
        ASSERT_EQ(grid.GetRowCountEx(), kept + 1) << test.Condition;
        EXPECT_EQ(grid.GetCellEx(1, 0), "URL   ");
        for (int row = 1; row <= kept; ++row) {
            const std::string& address = test.Kept[static_cast<std::size_t>(row - 1)];
            EXPECT_EQ(grid.GetCellEx(0, row), std::to_string(row)) << test.Condition;
            EXPECT_EQ(grid.GetCellEx(1, row), test.AsAnchors ? Anchor(address) : address)
                << test.Condition;
            EXPECT_EQ(grid.GetCellEx(2, row), "visit " + address) << test.Condition;
        }
    }
}

} // namespace varnok
