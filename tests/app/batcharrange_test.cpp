#include <filesystem>
#include <memory>
#include <new>
#include <sstream>

#include <gtest/gtest.h>

#include "app/batchexport.h"
#include "app/settings.h"
#include "grid/resultgrid.h"
#include "platform/readonlyfile.h"
#include "support/testsupport.h"
#include "tools/indexwriter.h"

namespace varnok {

namespace {

// Five addresses in file order, visited on 7, 5, 9, 6 and 8 March 2005.
const char* const kAddresses[] = {"http://a.example/setup.exe", "http://b.example/docs.zip",
                                  "http://c.example/index.htm", "http://d.example/photo.gif",
                                  "http://e.example/tool.EXE"};
constexpr int kVisitDays[] = {7, 5, 9, 6, 8};

// The real file's bytes before `failFrom`, a read error from there on: a disk that fails
// under the reader in the middle of the index; or memory that runs out there.
class FailingFile final : public ByteSource {
public:
    FailingFile(const std::string& path, std::int64_t failFrom, bool outOfMemory = false)
        : m_failFrom(failFrom), m_outOfMemory(outOfMemory)
    {
        static_cast<void>(m_file.Open(path));
    }
    [[nodiscard]] std::int64_t End() const override { return m_file.End(); }
    [[nodiscard]] std::span<const std::uint8_t> View(std::int64_t offset,
                                                     std::size_t count) override
    {
        if (offset + static_cast<std::int64_t>(count) > m_failFrom && m_outOfMemory)
            throw std::bad_alloc();
        if (offset + static_cast<std::int64_t>(count) > m_failFrom)
            throw FileReadError("read failed: Input/output error");
        return m_file.View(offset, count);
    }

private:
    ReadOnlyFile m_file;
    std::int64_t m_failFrom;
    bool m_outOfMemory;
};

class BatchArrangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        IndexFilePlan plan;
        for (int i = 0; i < 5; ++i) {
            UrlRecordPlan url;
            url.Address = kAddresses[i];
            url.LastAccess = FileTimeFromUtc(2005, 3, kVisitDays[i], 10, 0, 0);
            plan.Urls.push_back(url);
        }
        ASSERT_TRUE(WriteFileBytes(m_index, BuildIndexFile(plan).Bytes));
        m_settings.WriteBoolean(SettingsKey::CellFormatHtml, true);
    }

    int Run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "/open:" + m_index);
        m_out.str("");
        m_err.str("");
        return RunBatchExport(ParseCommandLine(arguments), m_settings, m_out, m_err, m_tools);
    }

    // The CSV of these entries (1 to 5), numbered from 1, with the anchors of the HTML format.
    static std::string Csv(const std::vector<int>& entries)
    {
        std::string csv = "No.;URL   ;Latest visit\r\n";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::string address = kAddresses[entries[i] - 1];
            csv += std::to_string(i + 1) + ";<A href=\"" + address + "\">" + address + "</A>;03/0" +
                   std::to_string(kVisitDays[entries[i] - 1]) + "/2005 10:00:00\r\n";
        }
        return csv;
    }

    TempDir m_dir;
    ScopedEnv m_zone{"TZ", "UTC0"};
    std::string m_index = m_dir.File("index.dat");
    std::string m_output = m_dir.File("out.csv");
    VarnokSettings m_settings{m_dir.File("Varnok5.ini")};
    BatchExportTools m_tools;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

// The condition is read as Find reads it, over the address cell as stored (with the HTML
// cell format the anchor's markup is part of it); the filter runs first, then the sort
// exactly as header clicks, the numbers staying in place.
TEST_F(BatchArrangeTest, FilterThenSortDecideTheRowsWritten)
{
    const struct {
        std::vector<std::string> Arguments;
        std::vector<int> Rows;
    } cases[] = {
        {{"/filter:*.exe"}, {}},                         // the text ends in "</A>"
        {{"/filter:*.exe*"}, {1, 5}},                    // any letter case
        {{"/filter:*.exe*;*.zip*"}, {1, 2, 5}},          // ";" or
        {{"/filter:*.exe* ^ *.zip*"}, {1, 2, 5}},        // "^" or, blanks around the sign
        {{"/filter:*example*&*.htm*"}, {3}},             // "&" and
        {{"/filter:!*.exe*&!*.zip*"}, {3, 4}},           // "!" not
        {{"/filter:*//?.example/photo.*"}, {4}},         // "?" one character
        {{"/filter:*.exe</a>"}, {1, 2, 3, 4, 5}},        // ">" compares: all are above ""
        {{"/filter:<<A"}, {}},                           // every anchor sorts after "<A"
        {{"/filter:*.zip*;>=<A&*.gif*"}, {4}},           // left to right, no precedence
        {{"/sort:2"}, {2, 4, 1, 5, 3}},                  // by visit
        {{"/SORT:~1"}, {5, 4, 3, 2, 1}},                 // by address, reversed
        {{"/sort:~2", "/filter:!*.gif*"}, {3, 5, 1, 2}}, // filtered, then sorted
        {{"/filter:*.htm*", "/sort:1"}, {3}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.Arguments;
        arguments.insert(arguments.end(), {"/scsv", m_output});
        SCOPED_TRACE(arguments.front());
        ASSERT_EQ(Run(arguments), 0) << m_err.str();
        EXPECT_EQ(ReadWholeFile(m_output), Csv(c.Rows));
        EXPECT_EQ(m_out.str(), std::to_string(c.Rows.size()) + " lines listed\n");
    }
}

// /sort:2 orders the visits by the time they stand for, read in the date order the list
// was written in, across years; the numbers stay in place.
TEST_F(BatchArrangeTest, VisitTimesSortAcrossYearsInEitherDateOrder)
{
    const int visits[][3] = {{2005, 1, 21}, {2004, 3, 14}, {2004, 12, 2}};
    IndexFilePlan plan;
    for (int i = 0; i < 3; ++i) {
        UrlRecordPlan url;
        url.Address = kAddresses[i];
        url.LastAccess = FileTimeFromUtc(visits[i][0], visits[i][1], visits[i][2], 10, 0, 0);
        plan.Urls.push_back(url);
    }
    ASSERT_TRUE(WriteFileBytes(m_index, BuildIndexFile(plan).Bytes));
    m_settings.WriteBoolean(SettingsKey::CellFormatHtml, false);
    const struct {
        int DateFormat;
        const char* Sort;
        const char* Csv;
    } cases[] = {
        {1, "/sort:2",
         "1;http://b.example/docs.zip;03/14/2004 10:00:00\r\n"
         "2;http://c.example/index.htm;12/02/2004 10:00:00\r\n"
         "3;http://a.example/setup.exe;01/21/2005 10:00:00\r\n"},
        {2, "/sort:~2",
         "1;http://a.example/setup.exe;21/01/2005 10:00:00\r\n"
         "2;http://c.example/index.htm;02/12/2004 10:00:00\r\n"
         "3;http://b.example/docs.zip;14/03/2004 10:00:00\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Sort);
        m_settings.WriteInteger(SettingsKey::DateFormat, c.DateFormat);
        ASSERT_EQ(Run({c.Sort, "/scsv", m_output}), 0) << m_err.str();
        EXPECT_EQ(ReadWholeFile(m_output), std::string("No.;URL   ;Latest visit\r\n") + c.Csv);
    }
}

// A condition over 1,000 characters is refused before the index is read: exit 1, the
// reason, nothing written. One of 1,000 is taken.
TEST_F(BatchArrangeTest, AConditionOverAThousandCharactersIsRefused)
{
    EXPECT_EQ(Run({"/filter:!" + std::string(1000, '*'), "/scsv", m_output}), 1);
    EXPECT_EQ(m_err.str().substr(0, m_err.str().find('\n')),
              "/filter: The condition is 1001 characters long; a condition may hold at most "
              "1000 characters.");
    EXPECT_FALSE(std::filesystem::exists(m_output));

    ASSERT_EQ(Run({"/filter:!" + std::string(999, '*'), "/scsv", m_output}), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "0 lines listed\n");
}

// The printer gets the sorted list with the stored column widths; its page count is
// reported. Without printing in the build, /spdf is refused and nothing is made.
TEST_F(BatchArrangeTest, PdfOutputCountsPagesAndNeedsAPrinter)
{
    m_settings.WriteInteger("ColumnSizes", "Col1", 333);
    m_tools.PrintToPdf = [](TResultGrid& grid, const std::string& file) {
        WriteWholeFile(file, std::to_string(grid.ColWidth(1)).append(grid.GetCellEx(1, 1)));
        return 3;
    };
    ASSERT_EQ(Run({"/filter:!*.gif*", "/sort:~1", "/spdf", m_output}), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "4 lines listed, 3 pages\n");
    EXPECT_EQ(ReadWholeFile(m_output),
              "333<A href=\"http://e.example/tool.EXE\">http://e.example/tool.EXE</A>");

    m_tools.PrintToPdf = nullptr;
    EXPECT_EQ(Run({"/spdf", m_dir.File("b.pdf")}), 1);
    EXPECT_EQ(m_err.str(), "Cannot write " + m_dir.File("b.pdf") +
                               ": this build of varnok5 has no printing, so /spdf is not "
                               "available\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("b.pdf")));
}

// A stretch that fails to read in the middle of the index fails the export, naming the
// file, the stretch and the reason; memory running out is told as what it is. An earlier
// output keeps its contents.
TEST_F(BatchArrangeTest, ReadFailureInTheMiddleOfTheIndexFailsTheExport)
{
    const struct {
        std::int64_t FailFrom;
        bool OutOfMemory;
        std::string Message;
    } cases[] = {
        {0x5000, false,
         "read failed: Input/output error while reading the hash table at byte 20480"},
        {0x6000 + 256, false,
         "read failed: Input/output error while reading the records from byte 24576"},
        {0x6000 + 256, true, ""},
        {INT64_MAX, false, ""},
    };
    WriteWholeFile(m_output, "earlier export");
    for (const auto& c : cases) {
        m_tools.OpenIndex = [&c](const std::string& path) {
            return std::make_unique<FailingFile>(path, c.FailFrom, c.OutOfMemory);
        };
        SCOPED_TRACE(c.Message);
        if (c.FailFrom == INT64_MAX) {
            EXPECT_EQ(Run({"/scsv", m_output}), 0);
            EXPECT_EQ(ReadWholeFile(m_output), Csv({1, 2, 3, 4, 5}));
            continue;
        }
        EXPECT_EQ(Run({"/scsv", m_output}), 1);
        EXPECT_EQ(m_err.str(),
                  c.OutOfMemory
                      ? "Not enough memory to list the index file " + m_index + "\n"
                      : "Cannot read the index file " + m_index + ": " + c.Message + "\n");
        EXPECT_EQ(m_out.str(), "");
        EXPECT_EQ(ReadWholeFile(m_output), "earlier export");
    }
}

} // namespace

} // namespace varnok
