#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

#include "app/batchexport.h"
#include "app/settings.h"
#include "print/gridpdf.h"
#include "support/testsupport.h"
#include "tools/indexwriter.h"

namespace {

// The /spdf export through the real PDF writer: as many PDF pages as it reports, to a
// file or to standard output, and the same pages either way.
TEST(BatchPdfTest, PrintedListReportsThePagesThePdfHas)
{
    if (CommandOutput("command -v pdfinfo").empty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    TempDir dir;
    IndexFilePlan plan;
    for (int i = 0; i < 150; ++i) {
        UrlRecordPlan url;
        url.Address =
            "http://host" + std::to_string(i % 7) + ".example/page" + std::to_string(i) + ".htm";
        url.LastAccess = FileTimeFromUtc(2005, 3, 1 + i % 28, 10, 0, 0);
        plan.Urls.push_back(url);
    }
    const std::string index = dir.File("index.dat");
    ASSERT_TRUE(WriteFileBytes(index, BuildIndexFile(plan).Bytes));
    VarnokSettings settings(dir.File("Varnok5.ini"));
    BatchExportTools tools;
    tools.PrintToPdf = PrintGridToPdf;

    const struct {
        std::vector<std::string> Arguments;
        int Lines;
    } cases[] = {
        {{"/spdf", dir.File("all.pdf")}, 150},
        {{"/filter:*host3*", "/sort:~2", "/spdf", dir.File("host3.pdf")}, 21},
    };
    int allPages = 0;
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.Arguments;
        arguments.insert(arguments.begin(), "/open:" + index);
        std::ostringstream out;
        std::ostringstream err;
        ASSERT_EQ(RunBatchExport(ParseCommandLine(arguments), settings, out, err, tools), 0)
            << err.str();
        const int pages = PdfPageCount(arguments.back());
        EXPECT_EQ(out.str(),
                  std::to_string(c.Lines) + " lines listed, " + std::to_string(pages) + " pages\n");
        allPages = std::max(allPages, pages);
    }
    EXPECT_GT(allPages, 2);

    // Standard output: the count goes with the messages, the PDF alone to the output.
    const std::string piped = dir.File("piped.pdf");
    const int savedOut = ::dup(STDOUT_FILENO);
    const int target = ::open(piped.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(target, 0);
    ::dup2(target, STDOUT_FILENO);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunBatchExport(ParseCommandLine({"/open:" + index, "/spdf", "-"}), settings,
                                      out, err, tools);
    ::dup2(savedOut, STDOUT_FILENO);
    ::close(target);
    ::close(savedOut);
    ASSERT_EQ(status, 0) << err.str();
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "150 lines listed, " + std::to_string(allPages) + " pages\n");
    EXPECT_EQ(PdfPageCount(piped), allPages);
}

} // namespace
