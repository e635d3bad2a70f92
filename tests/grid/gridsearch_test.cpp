#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "grid/resultgrid.h"
#include "gridfixtures.h"

namespace varnok {

void PrintTo(const GridCell& cell, std::ostream* out)
{
    *out << '(' << cell.Col << ", " << cell.Row << ')';
}

namespace {

// No. | URL   | Latest visit
//  1  | ax    | x1
//  2  | b     | x2
//  3  | cx    | (empty)
void FillSearchGrid(TBaseGrid& grid)
{
    FillCaptions(grid);
    AddEntry(grid, 1, "1", "ax", "x1");
    AddEntry(grid, 2, "2", "b", "x2");
    AddEntry(grid, 3, "3", "cx", "");
}

struct ScanCase {
    std::string Name;
    std::string Text;
    TFindParameters Options;
    std::vector<GridCell> Expected; // FindFirst, then FindNext until it finds nothing
    GridCell Focus{1, 1};
};

// The cells a search visits: FindFirst and FindNext until a miss.
std::vector<GridCell> AllMatches(TResultGrid& grid, const std::string& text,
                                 TFindParameters options)
{
    std::vector<GridCell> found;
    for (GridCell cell = grid.FindFirst(text, options); cell != GridCell{} && found.size() < 20;
         cell = grid.FindNext())
        found.push_back(cell);
    return found;
}

} // namespace

TEST(GridSearchTest, OrderScopesAndOptions)
{
    const std::vector<ScanCase> cases = {
        {"columns", "x", {}, {{1, 1}, {1, 3}, {2, 1}, {2, 2}}},
        {"rows", "x", {fnDirectionLeftRight}, {{1, 1}, {2, 1}, {2, 2}, {1, 3}}},
        {"columns back", "x", {fnBackward}, {{2, 2}, {2, 1}, {1, 3}, {1, 1}}},
        {"rows back", "x", {fnBackward, fnDirectionLeftRight}, {{1, 3}, {2, 2}, {2, 1}, {1, 1}}},
        {"this row", "x", {fnFindInCurrentRow}, {{1, 1}, {2, 1}}},
        {"this row, rows", "x", {fnFindInCurrentRow, fnDirectionLeftRight}, {{1, 1}, {2, 1}}},
        {"this row back", "x", {fnFindInCurrentRow, fnBackward}, {{2, 1}, {1, 1}}},
        {"this column", "x", {fnFindInCurrentCol}, {{2, 1}, {2, 2}}, {2, 3}},
        {"this column back", "x", {fnFindInCurrentCol, fnBackward}, {{2, 2}, {2, 1}}, {2, 1}},
        {"no fixed cells", "1", {}, {{2, 1}}},
        {"fixed cells", "1", {fnIncludeFixed}, {{0, 1}, {2, 1}}},
        {"captions", "url", {fnIncludeFixed}, {{1, 0}}},
        {"any case", "X", {}, {{1, 1}, {1, 3}, {2, 1}, {2, 2}}},
        {"case", "X", {fnMatchCase}, {}},
        {"whole", "X1", {fnMatchFull}, {{2, 1}}},
        {"start", "x", {fnMatchStart}, {{2, 1}, {2, 2}}},
        {"empty", "", {}, {}},
        {"condition", "*x", {fnMatchRegular}, {{1, 1}, {1, 3}}},
        {"condition, whole", "x?", {fnMatchRegular, fnMatchFull}, {{2, 1}, {2, 2}}},
        {"empty condition", "", {fnMatchRegular}, {{2, 3}}}};
    for (const ScanCase& test : cases) {
        TResultGrid grid;
        FillSearchGrid(grid);
        grid.SetCurrentCell(test.Focus.Col, test.Focus.Row);
        EXPECT_EQ(AllMatches(grid, test.Text, test.Options), test.Expected) << test.Name;
        // After the miss the next search starts again at the first match.
        const GridCell restart = test.Expected.empty() ? GridCell{} : test.Expected.front();
        EXPECT_EQ(grid.FindNext(), restart) << test.Name;
        EXPECT_EQ(grid.Col(), test.Focus.Col) << test.Name; // the search alone moves nothing
    }
}

TEST(GridSearchTest, StateBeforeAndBetweenSearches)
{
    TResultGrid grid;
    FillSearchGrid(grid);
    EXPECT_EQ(grid.FindNext(), GridCell{}); // before any FindFirst

    EXPECT_EQ(grid.FindFirst("aX", {}), (GridCell{1, 1}));
    EXPECT_EQ(grid.Search().FindText(), "AX");
    EXPECT_TRUE(grid.MatchCell(1, 1));
    // The found cell is kept: the next step goes on after it (and finds no second "ax").
    EXPECT_EQ(grid.FindNext(), GridCell{});
    EXPECT_EQ(grid.FindFirst("aX", {fnMatchCase}), GridCell{});
    EXPECT_EQ(grid.Search().FindText(), "aX");

    // One step from a given cell keeps the text and options but not the found cell: the
    // next step starts again at the first cell.
    EXPECT_EQ(grid.Find({1, 1}, "x", {}), (GridCell{1, 3}));
    EXPECT_EQ(grid.FindNext(), (GridCell{1, 1}));

    // The grid moves its focus itself only when asked to, and the selection follows.
    grid.SetSelection({1, 1, 2, 3});
    EXPECT_EQ(grid.FindFirst("x2", {fnAutoGoto}), (GridCell{2, 2}));
    EXPECT_EQ((GridCell{grid.Col(), grid.Row()}), (GridCell{2, 2}));
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 2, 2}));

    // A focus asked for below the table stays on its last row, which the row search searches.
    grid.SetCurrentCell(grid.Col(), 99);
    EXPECT_EQ(grid.FindFirst("x", {fnFindInCurrentRow}), (GridCell{1, 3}));

    // The set's bits are the members' values.
    EXPECT_EQ((TFindParameters{fnMatchCase, fnMatchRegular, fnFindInCurrentCol, fnBackward}).Bits(),
              0b100'0100'0101);
}

TEST(GridSearchTest, AnchorsAreSearchedWithTheirMarkupUnlessTagsAreIgnored)
{
    TResultGrid grid;
    FillCaptions(grid);
    AddEntry(grid, 1, "1", Anchor("http://a/x.htm"), "05/06/2004 10:11:12");
    AddEntry(grid, 2, "2", "plain <b", "");
    AddEntry(grid, 3, "3", Anchor("http://b/href.htm"), "");

    EXPECT_EQ(AllMatches(grid, "href", {}), (std::vector<GridCell>{{1, 1}, {1, 3}}));
    EXPECT_EQ(AllMatches(grid, "href", {fnIgnoreHTMLTags}), (std::vector<GridCell>{{1, 3}}));
    EXPECT_EQ(AllMatches(grid, "http://a/x.htm", {fnIgnoreHTMLTags, fnMatchFull}),
              (std::vector<GridCell>{{1, 1}}));
    // A plain text keeps its "<" as written.
    EXPECT_EQ(AllMatches(grid, "<B", {fnIgnoreHTMLTags}), (std::vector<GridCell>{{1, 2}}));
    EXPECT_EQ(AllMatches(grid, ">05/06/2004", {fnMatchRegular}),
              (std::vector<GridCell>{{1, 1}, {1, 2}, {1, 3}, {2, 1}}));
}

} // namespace varnok
