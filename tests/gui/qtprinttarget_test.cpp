#include <gtest/gtest.h>

#include <QDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <string>
#include <vector>

#include "grid/resultgrid.h"
#include "modaldialog.h"
#include "print/gridprintcommands.h"
#include "print/qtprinttarget.h"
#include "support/testsupport.h"

namespace varnok {

namespace {

// A list of 120 addresses (several pages of A4) and a printer writing Qt's PDF output; the
// pages printed are counted with pdfinfo.
class QtPrintTargetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (CommandOutput("command -v pdfinfo").empty())
            GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
        grid.SetRowCountEx(121);
        grid.SetCellEx(1, 0, "URL   ");
        grid.SetFixedRowsEx(1);
        for (int row = 1; row <= 120; ++row)
            grid.SetCellEx(1, row, "http://example.com/" + std::to_string(row));
        target.Device().setOutputFormat(QPrinter::PdfFormat);
    }

    /** Points the printer at `name` in the test's folder; its path. */
    std::string PrintInto(const std::string& name)
    {
        const std::string file = dir.File(name);
        target.Device().setOutputFileName(QString::fromStdString(file));
        return file;
    }

    TempDir dir;
    TResultGrid grid;
    QtPrintTarget target;
};

} // namespace

// Print all through the real printer dialog into Qt's PDF output: one PDF page per page
// the layout counted.
TEST_F(QtPrintTargetTest, PrintAllThroughThePrinterDialogWritesEveryCountedPage)
{
    const std::string file = PrintInto("printed.pdf");
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

// A print that fails (a PDF without a file name) leaves the printer ready: the next print,
// into a file chosen now, works.
TEST_F(QtPrintTargetTest, APrintAfterAFailedOneWorks)
{
    target.Device().setOutputFileName(QString());
    EXPECT_THROW(grid.Print(target.Printer()), EGridError);
    const std::string file = PrintInto("after.pdf");
    EXPECT_EQ(target.Device().outputFileName().toStdString(), file);
    grid.Print(target.Printer());
    EXPECT_EQ(PdfPageCount(file), grid.PrintState.PageCount);
    EXPECT_GT(grid.PrintState.PageCount, 1);
}

// The printer dialog offers the pages of the list, from 1 to the last, and the range chosen
// in it is what prints.
TEST_F(QtPrintTargetTest, ThePrinterDialogOffersThePagesAndTheChosenRangePrints)
{
    const std::string file = PrintInto("range.pdf");
    GridPrintCommands commands(grid, target, nullptr);
    std::vector<int> offered; // from's and to's largest values, and to's value
    WhenModalIsUp([&offered](QWidget* dialog) {
        for (const char* name : {"from", "to"}) {
            auto* box = dialog->findChild<QSpinBox*>(QString::fromLatin1(name));
            ASSERT_NE(box, nullptr) << name;
            offered.push_back(box->maximum());
        }
        offered.push_back(dialog->findChild<QSpinBox*>(QStringLiteral("to"))->value());
        dialog->findChild<QRadioButton*>(QStringLiteral("printRange"))->click();
        dialog->findChild<QSpinBox*>(QStringLiteral("to"))->setValue(3);
        dialog->findChild<QSpinBox*>(QStringLiteral("from"))->setValue(2);
        qobject_cast<QDialog*>(dialog)->accept();
    });
    commands.PrintAll();
    const int count = grid.PrintState.PageCount;
    EXPECT_GT(count, 3);
    EXPECT_EQ(offered, (std::vector<int>{count, count, count}));
    EXPECT_EQ(PdfPageCount(file), 2);
}

// Selected cells printed into a PDF file; then the preview's Print: it asks for the printer
// first, and a cancelled dialog leaves the file as it was.
TEST_F(QtPrintTargetTest, ThePreviewsPrintDoesNotReplaceTheLastPdfUnasked)
{
    const std::string file = PrintInto("selected.pdf");
    GridPrintCommands commands(grid, target, nullptr);
    grid.SetSelection({1, 1, 1, 5});
    WhenModalIsUp([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->accept(); });
    commands.PrintSelectedCells();
    ASSERT_EQ(PdfPageCount(file), 1);

    bool asked = false;
    WhenModalIsUp([&asked](QWidget* window) {
        WhenModalIsUp([&asked](QWidget* dialog) {
            asked = qobject_cast<QPrintDialog*>(dialog) != nullptr;
            EXPECT_TRUE(asked) << "not the printer dialog";
            if (asked)
                qobject_cast<QDialog*>(dialog)->reject();
        });
        window->findChild<QPushButton*>(QStringLiteral("Print"))->click();
        window->findChild<QPushButton*>(QStringLiteral("Close"))->click();
    });
    commands.Preview();
    EXPECT_TRUE(asked);
    EXPECT_EQ(PdfPageCount(file), 1);
}

} // namespace varnok
