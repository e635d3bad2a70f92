#include <fcntl.h>
#include <unistd.h>

#include <sstream>

#include <gtest/gtest.h>

#include "app/batchexport.h"
#include "app/settings.h"
#include "print/gridpdf.h"
#include "support/testsupport.h"
#include "tools/indexwriter.h"

namespace varnok {

// /spdf through the real PDF writer: the pages it reports are the pages the PDF has, in a
// file and on standard output alike (the count then goes with the messages).
TEST(BatchPdfTest, PrintedListReportsThePagesThePdfHas)
{
    if (CommandOutput("command -v pdfinfo").empty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    TempDir dir;
    IndexFilePlan plan;
    for (int i = 0; i < 150; ++i) {
        UrlRecordPlan url;
        url.Address = "http://host" + std::to_string(i % 7) + ".example/" + std::to_string(i);
        plan.Urls.push_back(url);
    }
    const std::string index = dir.File("index.dat");
    ASSERT_TRUE(WriteFileBytes(index, BuildIndexFile(plan).Bytes));
    const VarnokSettings settings(dir.File("Varnok5.ini"));
    const BatchExportTools tools{PrintGridToPdf, {}};
    const std::string file = dir.File("list.pdf");
    const std::string piped = dir.File("piped.pdf");
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunBatchExport(ParseCommandLine({"/open:" + index, "/sort:~1", "/spdf", file}),
                             settings, out, err, tools),
              0)
        << err.str();
    const int pages = PdfPageCount(file);
    EXPECT_GT(pages, 2);
    EXPECT_EQ(out.str(), "150 lines listed, " + std::to_string(pages) + " pages\n");

    const int savedOut = ::dup(STDOUT_FILENO);
    const int target = ::open(piped.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(target, STDOUT_FILENO);
    out.str("");
    const int status = RunBatchExport(ParseCommandLine({"/open:" + index, "/spdf", "-"}), settings,
                                      out, err, tools);
    ::dup2(savedOut, STDOUT_FILENO);
    ::close(target);
    ::close(savedOut);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(err.str(), "150 lines listed, " + std::to_string(pages) + " pages\n");
    EXPECT_EQ(PdfPageCount(piped), pages);
}

} // namespace varnok
