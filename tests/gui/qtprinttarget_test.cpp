#include <gtest/gtest.h>

#include <QDialog>
#include <QPrinter>

#include <string>

#include "grid/resultgrid.h"
#include "modaldialog.h"
#include "print/gridprintcommands.h"
#include "print/qtprinttarget.h"
#include "support/testsupport.h"

// Print all through the real printer dialog into Qt's PDF output: one PDF page per page
// the layout counted.
TEST(QtPrintTargetTest, PrintAllThroughThePrinterDialogWritesEveryCountedPage)
{
    if (CommandOutput("command -v pdfinfo").empty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    TempDir dir;
    const std::string file = dir.File("printed.pdf");
    TResultGrid grid;
    grid.SetRowCountEx(121);
    grid.SetCellEx(1, 0, "URL   ");
    grid.SetFixedRowsEx(1);
    for (int row = 1; row <= 120; ++row)
        grid.SetCellEx(1, row, "http://example.com/" + std::to_string(row));
    QtPrintTarget target;
    target.Device().setOutputFormat(QPrinter::PdfFormat);
    target.Device().setOutputFileName(QString::fromStdString(file));
    GridPrintCommands commands(grid, target, nullptr);
    bool asked = false;
    WhenModalIsUp([&asked](QWidget* dialog) {
        asked = true;
        qobject_cast<QDialog*>(dialog)->accept();
    });
    commands.PrintAll();
    EXPECT_TRUE(asked);
    EXPECT_EQ(PdfPageCount(file), grid.PrintState.PageCount);
    EXPECT_GT(grid.PrintState.PageCount, 2);
}
