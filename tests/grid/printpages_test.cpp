#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/resultgrid.h"
#include "printfixtures.h"

namespace varnok {

// A 20-row list with rows of 35 mm prints four pages on the test printer's A4 (2100 x 2970
// in 0.1 mm), each with the header row on top and the page number at the bottom right.

namespace {

class PrintPagesTest : public ::testing::Test {
protected:
    PrintPagesTest()
    {
        grid.SetPrintClock(std::make_unique<FixedClock>());
        FillNumberedList(grid, 20);
        grid.PrintSettings.RowSpacing = 300;
        grid.PrintSettings.PageNr = ppBottomRight;
    }

    // Each page's rows and its page number, as the printer got them.
    static std::vector<std::string> pageTexts(const std::vector<TestCanvasCall>& page)
    {
        std::vector<std::string> texts = RowsOf(page);
        for (const TestCanvasCall& run : CallsOf(page, TestCanvasCall::ckRun))
            texts.push_back("footer:" + run.Text);
        return texts;
    }

    TResultGrid grid;
    RecordingPrinter printer;
};

} // namespace

TEST_F(PrintPagesTest, PrintPutsOutThePagesAskedForWithTheirNumbersOfTheWhole)
{
    RecordingPrinter whole;
    grid.Print(whole);
    const auto all = whole.Pages();
    ASSERT_EQ(all.size(), 4u);
    const struct {
        TPageRange pages;
        std::vector<std::size_t> printed; // indexes into the whole print
    } cases[] = {
        {{0, 0}, {0, 1, 2, 3}}, {{2, 2}, {1}},    {{2, 0}, {1, 2, 3}},
        {{0, 2}, {0, 1}},       {{3, 9}, {2, 3}}, {{3, 1}, {0, 1, 2}}, // in any order
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.pages.From) + " to " + std::to_string(c.pages.To));
        RecordingPrinter paper;
        grid.Print(paper, c.pages);
        const auto pages = paper.Pages();
        ASSERT_EQ(pages.size(), c.printed.size());
        for (std::size_t i = 0; i < pages.size(); ++i)
            EXPECT_EQ(pageTexts(pages[i]), pageTexts(all[c.printed[i]])) << i;
        EXPECT_EQ(grid.PrintState.PageCount, 4);
    }
}

// The preview lays the pages out on the paper, so each preview page is the printed page,
// and it keeps where the pages begin: turning to a page lays out that page alone.
TEST_F(PrintPagesTest, PreviewPagesAreThePrintedPagesInAnyOrder)
{
    grid.Print(printer);
    const auto printed = printer.Pages();
    ASSERT_EQ(printed.size(), 4u);
    const TextRect paper = grid.PreparePaper(printer);
    EXPECT_EQ((std::vector<int>{paper.Left, paper.Top, paper.Right, paper.Bottom}),
              (std::vector<int>{0, 0, 2100, 2970}));
    for (const int page : {3, 1, 4, 2}) {
        SCOPED_TRACE(page);
        TestCanvas screen;
        grid.SetPreviewPage(page);
        grid.PrintPreview(screen, paper);
        EXPECT_EQ(grid.PrintState.PageCount, 4);
        EXPECT_EQ(pageTexts(screen.Calls()),
                  pageTexts(printed[static_cast<std::size_t>(page - 1)]));
    }

    // Landscape paper holds fewer rows: the settings' orientation turns the paper and the
    // preview counts again.
    grid.PrintSettings.Orientation = poLandscape;
    const TextRect landscape = grid.PreparePaper(printer);
    EXPECT_EQ(printer.Orientation, poLandscape);
    TestCanvas screen;
    grid.SetPreviewPage(1);
    grid.PrintPreview(screen, landscape);
    const int previewed = grid.PrintState.PageCount;
    RecordingPrinter turned;
    grid.Print(turned);
    EXPECT_EQ(previewed, 5);
    EXPECT_EQ(previewed, static_cast<int>(turned.Pages().size()));
    EXPECT_EQ(pageTexts(screen.Calls()), pageTexts(turned.Pages()[0]));

    // The cells changed behind the preview: once told, it counts them again.
    FillNumberedList(grid, 2);
    grid.ForgetPreviewPages();
    grid.PrintPreview(screen, landscape);
    EXPECT_EQ(grid.PrintState.PageCount, 1);
}

} // namespace varnok
