#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "app/batchexport.h"
#include "app/settings.h"
#include "print/gridpdf.h"
#include "support/testsupport.h"
#include "tools/indexwriter.h"

namespace varnok {

namespace {

// The page objects of a PDF file, read from its bytes ("/Type /Page", not the "/Pages" tree).
int PageObjects(const std::string& pdf)
{
    const std::string key = "/Type /Page";
    int pages = 0;
    for (std::size_t at = pdf.find(key); at != std::string::npos; at = pdf.find(key, at + 1)) {
        const std::size_t next = at + key.size();
        if (next < pdf.size() && pdf[next] != 's')
            ++pages;
    }
    return pages;
}

// The PDF without its creation time, the one part that differs between two runs.
std::string WithoutCreationDate(std::string pdf)
{
    const std::size_t at = pdf.find("/CreationDate");
    if (at != std::string::npos)
        pdf.erase(at, pdf.find('\n', at) - at);
    return pdf;
}

// The built program prints /spdf through the window module it loads, which takes the list
// from the program's own core: the file is a PDF of the pages the program reports, the same
// bytes as the printer writes for the same list inside one process.
TEST(ProgramPdfTest, ProgramPrintsThroughItsModuleTheListItRead)
{
    TempDir dir;
    IndexFilePlan plan;
    for (int i = 0; i < 150; ++i) {
        UrlRecordPlan url;
        url.Address = "http://host" + std::to_string(i % 7) + ".example/" + std::to_string(i);
        plan.Urls.push_back(url);
    }
    const std::string index = dir.File("index.dat");
    WriteWholeFile(index, BuildIndexFile(plan).Bytes);
    const std::string pdf = dir.File("list.pdf");
    const std::string said = dir.File("stdout.txt");
    const std::string command = "env XDG_CONFIG_HOME='" + dir.File("config") + "' '" +
                                VARNOK5_PROGRAM + "' '/open:" + index + "' /sort:2 /spdf '" + pdf +
                                "' </dev/null >'" + said + "' 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << ReadWholeFile(said);

    const std::string printed = ReadWholeFile(pdf);
    ASSERT_EQ(printed.substr(0, 5), "%PDF-");
    EXPECT_NE(printed.find("%%EOF", printed.size() - 8), std::string::npos);
    const int pages = PageObjects(printed);
    EXPECT_EQ(pages, 10);
    EXPECT_EQ(ReadWholeFile(said), "150 lines listed, " + std::to_string(pages) + " pages\n");

    const std::string inProcess = dir.File("inprocess.pdf");
    const VarnokSettings settings(dir.File("Varnok5.ini"));
    const BatchExportTools tools{PrintGridToPdf, {}};
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunBatchExport(ParseCommandLine({"/open:" + index, "/sort:2", "/spdf", inProcess}),
                             settings, out, err, tools),
              0)
        << err.str();
    EXPECT_EQ(WithoutCreationDate(printed), WithoutCreationDate(ReadWholeFile(inProcess)));
}

} // namespace

} // namespace varnok
