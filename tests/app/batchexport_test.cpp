#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "app/batchexport.h"
#include "app/settings.h"
#include "support/testsupport.h"
#include "tools/indexwriter.h"

namespace {

class BatchExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(m_dir.Path() / "cache" / "Content.IE5");
        IndexFileSpec plan;
        UrlRecordSpec page;
        page.Address = "http://example.com/a;b.htm";
        page.LastAccess = FileTimeFromUtc(2005, 3, 7, 13, 5, 9);
        plan.Urls.push_back(page);
        UrlRecordSpec picture;
        picture.Address = "http://example.com/logo.gif";
        picture.LastAccess = FileTimeFromUtc(2005, 3, 8, 13, 5, 9);
        picture.Headers = "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n\r\n";
        plan.Urls.push_back(picture);
        RedirectRecordSpec redirect;
        redirect.Address = "http://example.com/moved";
        plan.Redirects.push_back(redirect);
        ASSERT_TRUE(WriteFileBytes(IndexPath(), BuildIndexFile(plan).Bytes));
    }

    [[nodiscard]] std::string CacheFolder() const { return m_dir.File("cache"); }
    [[nodiscard]] std::string IndexPath() const { return m_dir.File("cache/Content.IE5/index.dat"); }
    [[nodiscard]] std::string Output(const std::string& name = "out.csv") const { return m_dir.File(name); }

    int Run(const std::vector<std::string>& arguments)
    {
        m_out.str("");
        m_err.str("");
        return RunBatchExport(ParseCommandLine(arguments), m_settings, m_out, m_err);
    }

    TempDir m_dir;
    ScopedEnv m_zone{"TZ", "UTC0"};
    VarnokSettings m_settings{m_dir.File("Varnok5.ini")};
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(BatchExportTest, CacheFolderListsUrlRecordsAsTheStartupReadDoes)
{
    ASSERT_EQ(Run({"/CACHE:" + CacheFolder(), "/scsv", Output()}), 0) << m_err.str();
    EXPECT_EQ(ReadWholeFile(Output()),
              "No.;URL   ;Latest visit\r\n"
              "1;\"http://example.com/a;b.htm\";03/07/2005 13:05:09\r\n"
              "2;http://example.com/logo.gif;03/08/2005 13:05:09\r\n");
    EXPECT_EQ(m_out.str(), "2 lines listed\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("Varnok5.ini"))) << "the settings file is only read";
}

TEST_F(BatchExportTest, OpenListsRedirectsAsTheOpenCommandDoes)
{
    ASSERT_EQ(Run({"/open:" + IndexPath(), "/stext", Output("out.txt")}), 0) << m_err.str();
    const std::string text = ReadWholeFile(Output("out.txt"));
    EXPECT_NE(text.find("http://example.com/moved"), std::string::npos);
    EXPECT_EQ(m_out.str(), "3 lines listed\n");
}

TEST_F(BatchExportTest, SettingsChooseDateOrderFilterAndCellFormat)
{
    m_settings.WriteInteger(SettingsKey::DateFormat, 2);
    m_settings.WriteBoolean(SettingsKey::ShowTextOnly, true);
    m_settings.WriteBoolean(SettingsKey::CellFormatHtml, true);
    ASSERT_EQ(Run({"/cache:" + CacheFolder(), "/scsv", Output()}), 0) << m_err.str();
    EXPECT_EQ(ReadWholeFile(Output()),
              "No.;URL   ;Latest visit\r\n"
              "1;\"<A href=\"\"http://example.com/a;b.htm\"\">http://example.com/a;b.htm</A>\";"
              "07/03/2005 13:05:09\r\n");
}

TEST_F(BatchExportTest, HtmlOutputIsATable)
{
    ASSERT_EQ(Run({"/cache:" + CacheFolder(), "/shtml", Output("out.html")}), 0) << m_err.str();
    const std::string html = ReadWholeFile(Output("out.html"));
    EXPECT_EQ(html.rfind("<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" width=\"100%\">\r\n", 0), 0u);
    EXPECT_NE(html.find("http://example.com/logo.gif"), std::string::npos);
}

TEST_F(BatchExportTest, FailuresReportOnStandardErrorAndLeaveNoFile)
{
    EXPECT_EQ(Run({"/cache:" + m_dir.File("nowhere"), "/scsv", Output()}), 1);
    EXPECT_EQ(m_err.str(), "Invalid Cache path in command line,\t please try again!\n");
    EXPECT_EQ(m_out.str(), "");

    EXPECT_EQ(Run({"/open:" + m_dir.File("missing.dat"), "/scsv", Output()}), 1);
    EXPECT_EQ(m_err.str(), "Invalid cache path or data file does not exist, please try again!\n");

    const std::string unreachable = m_dir.File("no/such/folder/out.csv");
    EXPECT_EQ(Run({"/cache:" + CacheFolder(), "/scsv", unreachable}), 1);
    EXPECT_EQ(m_err.str(), "Cannot Create file " + unreachable + "\n");

    EXPECT_FALSE(std::filesystem::exists(Output()));
    EXPECT_FALSE(std::filesystem::exists(unreachable));
}

TEST_F(BatchExportTest, BadArgumentsAreRefused)
{
    EXPECT_EQ(Run({"/scsv"}), 1);
    EXPECT_NE(m_err.str().find("Missing output file"), std::string::npos);
    EXPECT_EQ(Run({"/open:x", "/cache:y", "/scsv", Output()}), 1);
    EXPECT_EQ(Run({"/stext", Output(), "/scsv", Output()}), 1);
    EXPECT_FALSE(std::filesystem::exists(Output()));
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(m_out.str().find("Usage: varnok5"), std::string::npos);
}

} // namespace
