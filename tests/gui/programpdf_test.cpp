#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

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

// The text of a PDF as pdftotext reads it, with the time of printing (the one part that
// differs between two runs) masked; empty when pdftotext is not installed.
std::string PrintedText(const std::string& pdf)
{
    if (CommandOutput("command -v pdftotext").empty())
        return {};
    std::string text = CommandOutput("pdftotext -layout '" + pdf + "' -");
    const std::regex printedAt(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
    return std::regex_replace(text, printedAt, "(printed at)");
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
    EXPECT_EQ(pages, 8);
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
    EXPECT_EQ(PageObjects(ReadWholeFile(inProcess)), pages);
    EXPECT_EQ(PrintedText(pdf), PrintedText(inProcess));
}

// Each page of the program's PDF names the index file as given, its SHA-256 and size and the
// zone its times are shown in, and its number of the whole; /landscape turns the paper.
TEST(ProgramPdfTest, EveryPageOfTheExhibitNamesTheFileItsHashAndItsZone)
{
    if (CommandOutput("command -v pdftotext").empty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    TempDir dir;
    IndexFilePlan plan;
    for (int i = 0; i < 60; ++i) {
        UrlRecordPlan url;
        url.Address = "http://host.example/" + std::to_string(i);
        plan.Urls.push_back(url);
    }
    const std::string index = dir.File("index.dat");
    const std::vector<std::uint8_t> bytes = BuildIndexFile(plan).Bytes;
    WriteWholeFile(index, bytes);
    const std::string hash = CommandOutput("sha256sum '" + index + "' | cut -c1-64 | tr -d '\\n'");
    const struct {
        const char* paper;
        int pages;
        const char* size; // pdfinfo's page size
    } cases[] = {{"", 3, "595 x 842 pts (A4)"}, {"/landscape", 5, "842 x 595 pts (A4)"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.paper);
        const std::string pdf = dir.File("exhibit.pdf");
        const std::string command = "env TZ=Europe/Berlin XDG_CONFIG_HOME='" + dir.File("config") +
                                    "' '" + VARNOK5_PROGRAM + "' '/open:" + index + "' " + c.paper +
                                    " /spdf '" + pdf + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        for (int page = 1; page <= c.pages; ++page) {
            SCOPED_TRACE(page);
            const std::string pageText =
                CommandOutput("pdftotext -layout -f " + std::to_string(page) + " -l " +
                              std::to_string(page) + " '" + pdf + "' -");
            for (const std::string& line :
                 {"Varnok 5 \u2013 " + index,
                  "SHA-256 " + hash + " \u2013 " + std::to_string(bytes.size()) + " bytes",
                  std::string("Times shown in Europe/Berlin (UTC+01:00)"),
                  std::to_string(page) + "/" + std::to_string(c.pages)})
                EXPECT_NE(pageText.find(line), std::string::npos) << line << "\n" << pageText;
        }
        EXPECT_NE(CommandOutput("pdfinfo '" + pdf + "'")
                      .find("Pages:           " + std::to_string(c.pages)),
                  std::string::npos);
        EXPECT_NE(CommandOutput("pdfinfo '" + pdf + "'").find(c.size), std::string::npos);
    }
}

} // namespace

} // namespace varnok
