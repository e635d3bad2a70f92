#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "app/batchexport.h"
#include "app/settings.h"
#include "app/welcometext.h"
#include "support/testsupport.h"
#include "tools/indexwriter.h"

namespace varnok {

namespace {

class BatchExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(m_dir.Path() / "cache" / "Content.IE5");
        IndexFilePlan plan;
        UrlRecordPlan page;
        page.Address = "http://example.com/a;b.htm";
        page.LastAccess = FileTimeFromUtc(2005, 3, 7, 13, 5, 9);
        plan.Urls.push_back(page);
        UrlRecordPlan picture;
        picture.Address = "http://example.com/logo.gif";
        picture.LastAccess = FileTimeFromUtc(2005, 3, 8, 13, 5, 9);
        picture.Headers = "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n\r\n";
        plan.Urls.push_back(picture);
        RedirectRecordPlan redirect;
        redirect.Address = "http://example.com/moved";
        plan.Redirects.push_back(redirect);
        ASSERT_TRUE(WriteFileBytes(IndexPath(), BuildIndexFile(plan).Bytes));
    }

    [[nodiscard]] std::string CacheFolder() const { return m_dir.File("cache"); }
    [[nodiscard]] std::string IndexPath() const
    {
        return m_dir.File("cache/Content.IE5/index.dat");
    }
    [[nodiscard]] std::string Output(const std::string& name = "out.csv") const
    {
        return m_dir.File(name);
    }

    int Run(const std::vector<std::string>& arguments)
    {
        m_out.str("");
        m_err.str("");
        return RunBatchExport(ParseCommandLine(arguments), m_settings, m_out, m_err, m_tools);
    }

    TempDir m_dir;
    ScopedEnv m_zone{"TZ", "UTC0"};
    VarnokSettings m_settings{m_dir.File("Varnok5.ini")};
    // A printer that must never be reached: every PDF case here is refused before printing.
    BatchExportTools m_tools{[](TResultGrid&, const std::string&) -> int {
                                 ADD_FAILURE() << "printed";
                                 return 0;
                             },
                             {}};
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(BatchExportTest, CacheFolderListsUrlRecordsAsTheStartupReadDoes)
{
    ASSERT_EQ(Run({"/CACHE:" + CacheFolder(), "/scsv", Output()}), 0) << m_err.str();
    EXPECT_EQ(ReadWholeFile(Output()), "No.;URL   ;Latest visit\r\n"
                                       "1;\"http://example.com/a;b.htm\";03/07/2005 13:05:09\r\n"
                                       "2;http://example.com/logo.gif;03/08/2005 13:05:09\r\n");
    EXPECT_EQ(m_out.str(), "2 lines listed\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("Varnok5.ini")))
        << "the settings file is only read";
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
    EXPECT_EQ(html.rfind(
                  "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" width=\"100%\">\r\n", 0),
              0u);
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
    EXPECT_EQ(m_err.str(), "Cannot Create file " + unreachable + ": No such file or directory\n");

    EXPECT_FALSE(std::filesystem::exists(Output()));
    EXPECT_FALSE(std::filesystem::exists(unreachable));
}

// An export's arguments follow its grammar exactly: anything else is named, the usage
// follows, and no file is made (not even one named after a switch at the root).
TEST_F(BatchExportTest, ArgumentsOutsideTheGrammarAreRefused)
{
    const std::string in = "/open:" + IndexPath();
    const struct {
        std::vector<std::string> Arguments;
        std::string Message;
    } cases[] = {
        {{"/scsv"}, "Missing output file after /scsv."},
        {{in, "/stext", "/scsv"}, "Missing output file after /stext: /scsv is a switch."},
        {{in, "/stext", "/CACHE:x"}, "Missing output file after /stext: /CACHE:x is a switch."},
        {{in, "/stext", Output(), "/scsv", Output("b")},
         "Only one of /stext, /scsv, /shtml, /spdf, /sjsonl and /sbody may be given: /scsv"},
        {{in, "/scsv", Output(), "/spdf", Output("b")},
         "Only one of /stext, /scsv, /shtml, /spdf, /sjsonl and /sbody may be given: /spdf"},
        {{in, "/spdf"}, "Missing output file after /spdf."},
        {{in, "/spdf", "/sort:1"}, "Missing output file after /spdf: /sort:1 is a switch."},
        {{in, "/spdf", "/landscape", Output()},
         "Missing output file after /spdf: /landscape is a switch."},
        {{in, "/landscape", "/scsv", Output()}, "/landscape applies only to /spdf."},
        {{in, "/sort:1", "/sort:~1", "/scsv", Output()}, "Only one /sort: may be given: /sort:~1"},
        {{in, "/filter:", "/scsv", Output()}, "Missing condition after /filter:."},
        {{in, "/filter:a", "/FILTER:b", "/scsv", Output()},
         "Only one /filter: may be given: /FILTER:b"},
        {{"/bogus", in, "/scsv", Output()}, "Unexpected argument: /bogus"},
        {{in, "/scsv", Output(), "extra"}, "Unexpected argument: extra"},
        {{in, in, "/scsv", Output()}, "Only one /open: may be given: " + in},
        {{"/cache:a", "/cache:b", "/scsv", Output()}, "Only one /cache: may be given: /cache:b"},
        {{in, "/cache:y", "/scsv", Output()}, "Give either /cache: or /open:, not both."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.Arguments), 1) << c.Message;
        EXPECT_EQ(m_err.str(), c.Message + "\n" + UsageText());
    }
    for (const std::string bad :
         {"/sort:3", "/sort:0", "/sort:", "/sort:~", "/sort:~~1", "/sort:-1"}) {
        EXPECT_EQ(Run({in, bad, "/scsv", Output()}), 1);
        EXPECT_EQ(m_err.str(),
                  "Unknown sort column: " + bad + " (give 1, 2, ~1 or ~2).\n" + UsageText());
    }
    EXPECT_FALSE(std::filesystem::exists(Output()));
    EXPECT_FALSE(std::filesystem::exists(Output("b")));
    EXPECT_FALSE(std::filesystem::exists("/scsv"));

    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(m_out.str().find("Usage: varnok5"), std::string::npos);
}

TEST_F(BatchExportTest, ExportSwitchesAreReadInAnyOrderAndCase)
{
    const struct {
        std::vector<std::string> Arguments;
        ExportFormat Format;
        int SortColumn; // negative: descending
        std::string Filter;
    } cases[] = {
        {{"/sort:1", "/SPDF", "out"}, ExportFormat::Pdf, 1, "<none>"},
        {{"/spdf", "out", "/Sort:~2"}, ExportFormat::Pdf, -2, "<none>"},
        {{"/filter:*.EXE;*.zip", "/sort:~1", "/stext", "out"},
         ExportFormat::Text,
         -1,
         "*.EXE;*.zip"},
        {{"/shtml", "out", "/Filter:/sort:1  x"}, ExportFormat::Html, 0, "/sort:1  x"},
    };
    for (const auto& c : cases) {
        const CommandLine line = ParseCommandLine(c.Arguments);
        EXPECT_EQ(line.Error, "") << c.Arguments.front();
        EXPECT_EQ(line.Format, c.Format);
        EXPECT_EQ(line.OutputFile, "out");
        EXPECT_EQ(line.SortDescending ? -line.SortColumn : line.SortColumn, c.SortColumn);
        EXPECT_EQ(line.AddressFilter.value_or("<none>"), c.Filter);
    }
    // Without an output switch the window opens and ignores them.
    EXPECT_FALSE(ParseCommandLine({"/sort:9", "/filter:"}).IsBatch());
}

// The version comes from the build; it must be the one the About box shows.
TEST_F(BatchExportTest, VersionIsTheOneTheAboutBoxShows)
{
    EXPECT_EQ(Run({"--VERSION"}), 0);
    EXPECT_EQ(m_out.str(), "varnok5 (Varnok 5) 5.0.3\n");
    const std::string about = AboutText();
    EXPECT_EQ(about.substr(about.rfind(' ') + 1), "5.0.3");
    EXPECT_FALSE(ParseCommandLine({"--version"}).Help);
}

TEST_F(BatchExportTest, WindowModeIgnoresWhatItDoesNotKnow)
{
    const CommandLine line = ParseCommandLine({"/bogus", "/cache:A", "/CACHE:B", "/open:x", "y"});
    EXPECT_FALSE(line.IsBatch());
    EXPECT_EQ(line.CacheFolder.value_or("<none>"), "A");
}

// The evidence is never the output, whatever name, link or redirection leads to it.
TEST_F(BatchExportTest, OutputThatIsTheIndexFileIsRefused)
{
    const std::string evidence = ReadWholeFile(IndexPath());
    std::filesystem::create_symlink(IndexPath(), Output("link.dat"));
    std::filesystem::create_hard_link(IndexPath(), Output("hard.dat"));
    const std::string open = "/open:" + IndexPath();
    const struct {
        std::vector<std::string> Arguments;
        std::string Named;
    } cases[] = {
        {{open, "/stext", IndexPath()}, IndexPath()},
        {{open, "/scsv", Output("link.dat")}, Output("link.dat")},
        {{open, "/shtml", Output("hard.dat")}, Output("hard.dat")},
        {{"/open:" + Output("link.dat"), "/stext",
          CacheFolder() + "/../cache/Content.IE5/index.dat"},
         CacheFolder() + "/../cache/Content.IE5/index.dat"},
        {{"/cache:" + CacheFolder(), "/scsv", CacheFolder() + "/Content.IE5/index.dat"},
         CacheFolder() + "/Content.IE5/index.dat"},
        {{open, "/spdf", Output("link.dat")}, Output("link.dat")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.Arguments), 1) << c.Named;
        EXPECT_NE(m_err.str().find("Cannot write " + c.Named + ": it is the index file"),
                  std::string::npos)
            << m_err.str();
    }

    // Standard output appended to the index file.
    const int savedOut = ::dup(STDOUT_FILENO);
    const int appended = ::open(IndexPath().c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(appended, 0);
    ::dup2(appended, STDOUT_FILENO);
    const int status = Run({open, "/stext", "-"});
    ::dup2(savedOut, STDOUT_FILENO);
    ::close(appended);
    ::close(savedOut);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(m_err.str(),
              "Cannot write standard output: it is the index file " + IndexPath() + "\n");

    EXPECT_EQ(ReadWholeFile(IndexPath()), evidence);
}

// Whatever cannot be read as an index file fails the export, naming the file and the
// reason, and an existing output keeps its contents.
TEST_F(BatchExportTest, UnreadableIndexIsAFailure)
{
    const std::string fifo = Output("pipe.dat");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string socketPath = Output("socket.dat");
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    std::filesystem::create_symlink(Output("loop.dat"), Output("loop.dat"));
    std::filesystem::create_directories(m_dir.Path() / "bare" / "Content.IE5");
    const std::string bareIndex = m_dir.File("bare") + "/Content.IE5/index.dat";

    const struct {
        std::string Input;
        std::string Reason;
    } cases[] = {
        {"/open:" + fifo, "Cannot read the index file " + fifo + ": a named pipe, not a file"},
        {"/open:/dev/zero", "Cannot read the index file /dev/zero: a device, not a file"},
        {"/open:" + socketPath,
         "Cannot read the index file " + socketPath + ": a socket, not a file"},
        {"/open:" + Output("loop.dat"), "Cannot read the index file " + Output("loop.dat") +
                                            ": Too many levels of symbolic links"},
        {"/open:" + m_dir.File("bare"),
         "Cannot read the index file " + m_dir.File("bare") + ": a folder, not a file"},
        {"/cache:" + m_dir.File("bare"),
         "Cannot read the index file " + bareIndex + ": No such file or directory"},
    };
    WriteWholeFile(Output(), "earlier export");
    for (const auto& c : cases) {
        EXPECT_EQ(Run({c.Input, "/scsv", Output()}), 1) << c.Input;
        EXPECT_EQ(m_err.str(), c.Reason + "\n");
        EXPECT_EQ(m_out.str(), "");
    }
    ::close(listening);
    EXPECT_EQ(ReadWholeFile(Output()), "earlier export");
}

} // namespace

} // namespace varnok
