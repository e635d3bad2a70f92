#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/gridpdf.h"
#include "grid/griderror.h"
#include "grid/resultgrid.h"
#include "support/testsupport.h"

namespace {

// What a command prints on standard output, or nothing when it cannot run.
std::string commandOutput(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    if (!pipe)
        return output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe.get()) != nullptr)
        output += buffer;
    return output;
}

// The page count pdfinfo (poppler-utils) reads from a PDF file; -1 when it cannot tell.
int pdfPageCount(const std::string& path) {
    const std::string info = commandOutput("pdfinfo '" + path + "' 2>/dev/null");
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

void fillList(TResultGrid& grid, int entries) {
    grid.SetRowCountEx(entries + 1);
    grid.SetCellEx(0, 0, "No.");
    grid.SetCellEx(1, 0, "URL   ");
    grid.SetCellEx(2, 0, "Latest visit");
    if (entries > 0)
        grid.SetFixedRowsEx(1);
    for (int row = 1; row <= entries; ++row) {
        grid.SetCellEx(0, row, std::to_string(row));
        grid.SetCellEx(1, row, "http://www.example.com/images/" + std::to_string(row) + ".gif");
        grid.SetCellEx(2, row, "05/06/2004 10:11:12");
    }
}

} // namespace

TEST(GridPdfTest, WritesOnePdfPageForEveryPrintedPage) {
    if (commandOutput("command -v pdfinfo").empty())
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
        fillList(grid, c.entries);
        grid.PrintSettings.Orientation = c.orientation;
        grid.PrintSettings.PageNr = ppBottomRight;
        const std::string file = dir.File("list" + std::to_string(c.entries) + ".pdf");
        const int pages = PrintGridToPdf(grid, file);
        EXPECT_EQ(pdfPageCount(file), pages);
        EXPECT_GE(pages, c.entries == 0 ? 1 : previous + 1); // landscape and longer lists need more
        previous = pages;
    }
}

TEST(GridPdfTest, AFileThatCannotBeMadeLeavesNothingAndSaysWhy) {
    TempDir dir;
    TResultGrid grid;
    fillList(grid, 3);
    const std::string file = dir.File("missing/list.pdf");
    try {
        static_cast<void>(PrintGridToPdf(grid, file));
        ADD_FAILURE() << "no error raised";
    } catch (const EGridError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot Create file " + file);
    }
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}
