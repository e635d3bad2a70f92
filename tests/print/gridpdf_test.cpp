#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "grid/resultgrid.h"
#include "grid/table/griderror.h"
#include "print/gridpdf.h"
#include "printfixtures.h"
#include "support/testsupport.h"

namespace varnok {

TEST(GridPdfTest, WritesOnePdfPageForEveryPrintedPage)
{
    if (CommandOutput("command -v pdfinfo").empty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    TempDir dir;
    const struct {
        int entries;
        TPrinterOrientation orientation;
    } cases[] = {{0, poPortrait}, {60, poPortrait}, {60, poLandscape}, {500, poPortrait}};
    int previous = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entries);
        TResultGrid grid;
        FillNumberedList(grid, c.entries);
        grid.PrintSettings.Orientation = c.orientation;
        grid.PrintSettings.PageNr = ppBottomRight;
        const std::string file = dir.File("list" + std::to_string(c.entries) + ".pdf");
        const int pages = PrintGridToPdf(grid, file);
        EXPECT_EQ(PdfPageCount(file), pages);
        EXPECT_GE(pages, c.entries == 0 ? 1 : previous + 1); // landscape and longer lists need more
        previous = pages;
    }
}

TEST(GridPdfTest, AFileThatCannotBeMadeLeavesNothingAndSaysWhy)
{
    TempDir dir;
    TResultGrid grid;
    FillNumberedList(grid, 3);
    const std::string file = dir.File("missing/list.pdf");
    try {
        static_cast<void>(PrintGridToPdf(grid, file));
        ADD_FAILURE() << "no error raised";
    } catch (const EGridError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot Create file " + file + ": No such file or directory");
    }
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

} // namespace varnok
