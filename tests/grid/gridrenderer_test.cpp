#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "grid/table/basegrid.h"
#include "grid/table/gridgeometry.h"
#include "grid/table/gridrenderer.h"
#include "gridfixtures.h"
#include "support/testcanvas.h"

namespace varnok {

namespace {

using Call = TestCanvasCall;

bool sameRect(const TextRect& a, const TextRect& b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

std::vector<Call> callsOfKind(const TestCanvas& canvas, Call::CallKind kind)
{
    std::vector<Call> calls;
    std::copy_if(canvas.Calls().begin(), canvas.Calls().end(), std::back_inserter(calls),
                 [kind](const Call& call) { return call.Kind == kind; });
    return calls;
}

// Records where the sort indicator would be drawn.
class IndicatorRecorder : public GridRenderer {
public:
    using GridRenderer::GridRenderer;
    mutable std::vector<std::pair<int, int>> centres;

protected:
    void DrawSortIndicator(TextCanvas& /*canvas*/, int /*col*/, int x, int y) const override
    {
        centres.emplace_back(x, y);
    }
};

// Captions in row 0 (fixed), numbers in column 0 (fixed), `rows` rows in all.
class GridRendererTest : public ::testing::Test {
protected:
    void Fill(int rows)
    {
        grid.SetRowCountEx(rows);
        FillCaptions(grid);
        for (int row = 1; row < rows; ++row) {
            const std::string number = std::to_string(row);
            AddEntry(grid, row, number, "http://example.com/" + number, "05/06/2004 10:11:12");
        }
        geometry.Invalidate();
    }

    TBaseGrid grid;
    GridGeometry geometry{grid};
    TestCanvas canvas;
    IndicatorRecorder renderer{grid};
};

} // namespace

TEST_F(GridRendererTest, NormalAndFixedCellsTakeTheirFontsColoursAndTextArea)
{
    Fill(3);
    renderer.PaintCell(canvas, 1, 1, {66, 22, 216, 43}, false);
    renderer.PaintCell(canvas, 0, 1, {0, 22, 65, 43}, false);
    renderer.PaintCell(canvas, 2, 0, {217, 0, 367, 21}, false);
    const auto& calls = canvas.Calls();
    ASSERT_EQ(calls.size(), 6u);

    EXPECT_EQ(calls[0].Kind, Call::ckFill);
    EXPECT_EQ(calls[0].Color, clWindow);
    EXPECT_TRUE(sameRect(calls[0].Rect, {66, 22, 216, 43}));
    EXPECT_EQ(calls[1].Kind, Call::ckText);
    EXPECT_EQ(calls[1].Text, "http://example.com/1");
    EXPECT_EQ(calls[1].Font, grid.Font());
    EXPECT_EQ(calls[1].Color, clWindowText);
    EXPECT_TRUE(sameRect(calls[1].Rect, {68, 24, 214, 43}));

    EXPECT_EQ(calls[2].Color, clBtnFace);
    EXPECT_EQ(calls[3].Font, grid.FixedFont());
    EXPECT_EQ(calls[3].Text, "1");
    EXPECT_EQ(calls[4].Color, clBtnFace);
    EXPECT_EQ(calls[5].Font, grid.FixedFont());
    EXPECT_EQ(calls[5].Text, "Latest visit");
}

TEST_F(GridRendererTest, SelectionHighlightsNormalCellsOnly)
{
    Fill(3);
    renderer.PaintCell(canvas, 1, 1, {66, 22, 216, 43}, true);
    renderer.PaintCell(canvas, 0, 1, {0, 22, 65, 43}, true);
    const auto& calls = canvas.Calls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].Color, GridRenderer::kHighlightColor);
    EXPECT_EQ(calls[1].Color, GridRenderer::kHighlightTextColor);
    EXPECT_EQ(calls[2].Color, clBtnFace);
    EXPECT_EQ(calls[3].Color, clWindowText);

    grid.SetSelection({2, 3, 1, 1}); // corners in either order
    EXPECT_TRUE(renderer.IsSelected(1, 2));
    EXPECT_TRUE(renderer.IsSelected(2, 1));
    EXPECT_FALSE(renderer.IsSelected(0, 2));
    EXPECT_FALSE(renderer.IsSelected(1, 4));
}

TEST_F(GridRendererTest, TextsAreDrawnAsTheyAreStoredExceptMarkupAndRichText)
{
    Fill(5);
    grid.SetCellEx(1, 1, "a&b\tc\r\nd");
    grid.SetCellEx(1, 2, "<A href=\"page.htm\">page.htm</A>");
    grid.SetCellEx(1, 3, "");
    grid.SetCellEx(1, 4, "{\\rtf1 plain}");
    for (int row = 1; row <= 4; ++row) {
        renderer.PaintCell(canvas, 1, row, {66, 0, 216, 21}, false);
    }
    const auto texts = callsOfKind(canvas, Call::ckText);
    ASSERT_EQ(texts.size(), 2u); // the empty cell gets its background only
    EXPECT_EQ(texts[0].Text, "a&b\tc\r\nd");
    EXPECT_EQ(texts[1].Text, "plain");
    EXPECT_EQ(callsOfKind(canvas, Call::ckFill).size(), 4u);
    // Markup: through the markup layout, in an area that keeps the cell's right edge, the
    // anchor underlined in URLColor, or in the selection's text colour when selected.
    renderer.PaintCell(canvas, 1, 2, {66, 21, 216, 42}, true);
    const auto runs = callsOfKind(canvas, Call::ckRun);
    ASSERT_EQ(runs.size(), 2u);
    for (const Call& run : runs) {
        EXPECT_EQ(run.Shown, "page.htm");
        EXPECT_TRUE(run.Font.Underline);
    }
    EXPECT_EQ(runs[0].Color, grid.URLColor());
    EXPECT_TRUE(sameRect(runs[0].Clip, {68, 2, 216, 21}));
    EXPECT_TRUE(sameRect(runs[0].Rect, {69, 2, 69 + 48, 15}));
    EXPECT_EQ(runs[1].Color, GridRenderer::kHighlightTextColor);

    // The same cell read without markup shows its bytes.
    canvas.ClearCalls();
    grid.SetEnableHTML(false);
    renderer.PaintCell(canvas, 1, 2, {66, 0, 216, 21}, false);
    ASSERT_EQ(callsOfKind(canvas, Call::ckText).size(), 1u);
    EXPECT_EQ(callsOfKind(canvas, Call::ckText)[0].Text, "<A href=\"page.htm\">page.htm</A>");
}

TEST_F(GridRendererTest, AnchorsAreFoundWhereTheyAreDrawn)
{
    Fill(3);
    grid.SetCellEx(1, 1, "go <A href=\"http://h/?a&amp;b\">page.htm</A>");
    grid.SetCellEx(1, 2, "http://h/plain");
    const TextRect cell{66, 22, 216, 43};
    // "go " at 69..87, the anchor at 87..135 of the line 24..37.
    struct Case {
        int row;
        int x;
        int y;
        std::optional<std::string> target;
    };
    const Case cases[] = {
        {1, 87, 24, "http://h/?a&amp;b"}, {1, 134, 36, "http://h/?a&amp;b"},
        {1, 86, 30, std::nullopt},        {1, 135, 30, std::nullopt},
        {1, 100, 37, std::nullopt},       {2, 80, 30, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(renderer.AnchorAt(canvas, 1, c.row, cell, c.x, c.y), c.target) << c.x;
    // The sorted column's header keeps its room for the indicator in markup too.
    grid.SetSortSettings({.Column = 1});
    EXPECT_TRUE(sameRect(renderer.MarkupTextArea(1, 0, {66, 0, 216, 21}), {68, 2, 206, 21}));
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST_F(GridRendererTest, SortedHeaderMakesRoomForTheIndicator)
{
    Fill(4);
    grid.SetSortSettings({.Column = 1});
    EXPECT_TRUE(renderer.HasSortIndicator(1, 0));
    EXPECT_FALSE(renderer.HasSortIndicator(2, 0));
    EXPECT_FALSE(renderer.HasSortIndicator(1, 1));
    const TextRect header{66, 0, 216, 21};
    EXPECT_TRUE(sameRect(renderer.PlainTextArea(1, 0, header), {68, 2, 200, 21}));
    EXPECT_TRUE(sameRect(renderer.PlainTextArea(2, 0, {217, 0, 367, 21}), {219, 2, 365, 21}));

    // "URL   " is 6 characters of 7 pixels in the header font.
    renderer.PaintCell(canvas, 1, 0, header, false);
    ASSERT_EQ(renderer.centres.size(), 1u);
    EXPECT_EQ(renderer.centres[0], std::make_pair(68 + 42 + 10, 2 + 8));

    // A long caption: the indicator keeps 16 pixels from the area's right edge.
    grid.SetCellEx(1, 0, std::string(40, 'x'));
    renderer.PaintCell(canvas, 1, 0, header, false);
    EXPECT_EQ(renderer.centres[1], std::make_pair(68 + (132 - 16) + 10, 10));

    // No indicator on a fixed column, without enough rows or with Show off.
    grid.SetSortSettings({.Column = 0});
    EXPECT_FALSE(renderer.HasSortIndicator(0, 0));
    grid.SetSortSettings({.Show = false, .Column = 1});
    EXPECT_FALSE(renderer.HasSortIndicator(1, 0));
    grid.SetSortSettings({.Column = 1});
    grid.SetRowCountEx(2);
    EXPECT_FALSE(renderer.HasSortIndicator(1, 0));
}

TEST_F(GridRendererTest, SortIndicatorIsATrianglePointingTheSortsWay)
{
    Fill(4);
    grid.SetSortSettings({.Column = 1});
    const GridRenderer drawing(grid);
    for (const TSortDirection direction : {sdAscending, sdDescending}) {
        grid.SetSortSettings({.Column = 1, .Direction = direction});
        drawing.PaintCell(canvas, 1, 0, {66, 0, 216, 21}, false);
        drawing.PaintCell(canvas, 2, 0, {217, 0, 367, 21}, false); // not the sorted column
    }
    const auto shade = [](TColor c) {
        return c == 0xFFFFFF ? " white" : c == 0x808080 ? " grey" : "";
    };
    std::vector<std::string> lines;
    for (const Call& line : callsOfKind(canvas, Call::ckLine)) {
        const TextRect& r = line.Rect;
        lines.push_back(std::to_string(r.Left) + ',' + std::to_string(r.Top) + ' ' +
                        std::to_string(r.Right) + ',' + std::to_string(r.Bottom) +
                        shade(line.Color));
    }
    // Centred on (120, 10), 10 pixels right of "URL   " and 10 below the cell's top.
    EXPECT_EQ(lines, (std::vector<std::string>{"116,14 124,14 white", "124,14 120,6 white",
                                               "120,6 116,14 grey", "124,6 120,14 white",
                                               "120,14 116,6 grey", "116,6 124,6 grey"}));
}

TEST_F(GridRendererTest, ViewportPaintsOnlyTheVisibleRowsOfALongList)
{
    Fill(60001);
    geometry.SetViewportSize(400, 230);
    geometry.SetTopRow(30000);
    renderer.PaintViewport(canvas, geometry, {});

    std::set<std::string> shown;
    for (const Call& call : callsOfKind(canvas, Call::ckText)) {
        shown.insert(call.Text);
    }
    // Header, rows 30000 to 30009 (the last one partly), three columns each.
    EXPECT_EQ(callsOfKind(canvas, Call::ckText).size(), 33u);
    EXPECT_TRUE(shown.count("URL   "));
    EXPECT_TRUE(shown.count("30000"));
    EXPECT_TRUE(shown.count("http://example.com/30009"));
    EXPECT_FALSE(shown.count("29999"));
    EXPECT_FALSE(shown.count("30010"));

    // Every cell has its silver line at the right and below.
    const auto lines = callsOfKind(canvas, Call::ckLine);
    EXPECT_EQ(lines.size(), 2u * 33u);
    EXPECT_TRUE(std::all_of(lines.begin(), lines.end(),
                            [](const Call& call) { return call.Color == clSilver; }));
    // The first scrolled row sits right under the fixed row.
    const auto texts = callsOfKind(canvas, Call::ckText);
    const auto first = std::find_if(texts.begin(), texts.end(),
                                    [](const Call& call) { return call.Text == "30000"; });
    ASSERT_NE(first, texts.end());
    EXPECT_EQ(first->Rect.Top, 22 + 2);
}

TEST_F(GridRendererTest, FixedCellsArePaintedOverScrolledOnesAndTheRestIsWindowColour)
{
    Fill(3);
    grid.SetColWidth(1, 500);
    geometry.Invalidate();
    geometry.SetViewportSize(400, 200);
    geometry.SetOffsetX(100);
    renderer.PaintViewport(canvas, geometry, {});
    const auto fills = callsOfKind(canvas, Call::ckFill);

    // Below the table (three rows of 22): window colour.
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].Color, clWindow);
    EXPECT_TRUE(sameRect(fills[0].Rect, {0, 66, 400, 200}));
    // The corner cell is the last one painted.
    EXPECT_TRUE(sameRect(fills.back().Rect, {0, 0, 65, 21}));
    const auto lastNormal = std::find_if(fills.rbegin(), fills.rend(), [](const Call& call) {
        return call.Color == clWindow && call.Rect.Top == 22;
    });
    const auto firstFixedColumn = std::find_if(fills.begin(), fills.end(), [](const Call& call) {
        return call.Color == clBtnFace && call.Rect.Left == 0 && call.Rect.Top == 22;
    });
    EXPECT_LT(fills.rend() - lastNormal - 1, firstFixedColumn - fills.begin());
}

TEST_F(GridRendererTest, FocusFrameOnlyWhenAsked)
{
    Fill(3);
    geometry.SetViewportSize(400, 200);
    grid.SetCurrentCell(2, grid.Row());
    grid.SetCurrentCell(grid.Col(), 2);
    renderer.PaintViewport(canvas, geometry, {true, false});
    const auto plainLines = callsOfKind(canvas, Call::ckLine).size();
    canvas.ClearCalls();
    renderer.PaintViewport(canvas, geometry, {true, true});
    const auto lines = callsOfKind(canvas, Call::ckLine);
    ASSERT_EQ(lines.size(), plainLines + 4);
    const auto frame = std::count_if(lines.begin(), lines.end(), [](const Call& call) {
        return call.Color == GridRenderer::kFocusFrameColor;
    });
    EXPECT_EQ(frame, 4);
}

} // namespace varnok
