#include <filesystem>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "app/batchexport.h"
#include "app/settings.h"
#include "grid/resultgrid.h"
#include "platform/readonlyfile.h"
#include "support/testsupport.h"
#include "tools/indexwriter.h"

namespace {

struct Entry {
    std::string Address;
    std::string Visit; // as the list shows it, month first
};

// Five addresses in file order, visited on different days of March 2005.
const Entry kEntries[] = {
    {"http://a.example/setup.exe", "03/07/2005 10:00:00"},
    {"http://b.example/docs.zip", "03/05/2005 10:00:00"},
    {"http://c.example/index.htm", "03/09/2005 10:00:00"},
    {"http://d.example/photo.gif", "03/06/2005 10:00:00"},
    {"http://e.example/tool.EXE", "03/08/2005 10:00:00"},
};
constexpr int kVisitDays[] = {7, 5, 9, 6, 8};

// The bytes of the real file up to a position, a read error from there on: a disk that
// fails under the reader in the middle of the index.
class FailingFile final : public ByteSource {
public:
    FailingFile(const std::string& path, std::int64_t failFrom) : m_failFrom(failFrom)
    {
        static_cast<void>(m_file.Open(path));
    }
    [[nodiscard]] std::int64_t End() const override { return m_file.End(); }
    [[nodiscard]] std::span<const std::uint8_t> View(std::int64_t offset,
                                                     std::size_t count) override
    {
        if (offset + static_cast<std::int64_t>(count) > m_failFrom && offset < End())
            throw FileReadError("read failed: Input/output error");
        return m_file.View(offset, count);
    }

private:
    ReadOnlyFile m_file;
    std::int64_t m_failFrom;
};

class BatchArrangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        IndexFilePlan plan;
        for (std::size_t i = 0; i < std::size(kEntries); ++i) {
            UrlRecordPlan url;
            url.Address = kEntries[i].Address;
            url.LastAccess = FileTimeFromUtc(2005, 3, kVisitDays[i], 10, 0, 0);
            plan.Urls.push_back(url);
        }
        ASSERT_TRUE(WriteFileBytes(IndexPath(), BuildIndexFile(plan).Bytes));
        m_settings.WriteBoolean(SettingsKey::CellFormatHtml, true);
        // Records what a printer would be handed instead of printing.
        m_tools.PrintToPdf = [this](TResultGrid& grid, const std::string& file) {
            m_printedWidth = grid.ColWidth(1);
            m_printedFirstCell = grid.GetCellEx(1, 1);
            WriteWholeFile(file, "%PDF-1.4 stand-in");
            return 3;
        };
    }

    [[nodiscard]] std::string IndexPath() const { return m_dir.File("index.dat"); }
    [[nodiscard]] std::string Output() const { return m_dir.File("out.csv"); }

    int Run(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "/open:" + IndexPath());
        m_out.str("");
        m_err.str("");
        return RunBatchExport(ParseCommandLine(arguments), m_settings, m_out, m_err, m_tools);
    }

    // The CSV the export writes for these entries (numbers 1 to n), with anchors.
    static std::string Csv(const std::vector<int>& entries)
    {
        std::string csv = "No.;URL   ;Latest visit\r\n";
        int number = 0;
        for (int entry : entries) {
            const Entry& e = kEntries[entry - 1];
            csv += std::to_string(++number) + ";<A href=\"" + e.Address + "\">" + e.Address +
                   "</A>;" + e.Visit + "\r\n";
        }
        return csv;
    }

    TempDir m_dir;
    ScopedEnv m_zone{"TZ", "UTC0"};
    VarnokSettings m_settings{m_dir.File("Varnok5.ini")};
    BatchExportTools m_tools;
    int m_printedWidth = 0;
    std::string m_printedFirstCell;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

// The condition is read as Find reads it, over the address cell as stored: with the HTML
// cell format the anchor's markup is part of the text.
TEST_F(BatchArrangeTest, FilterKeepsTheMatchingAddressesNumberedAfresh)
{
    const struct {
        std::string Condition;
        std::vector<int> Kept; // entries, in file order
    } cases[] = {
        {"*.exe", {}},                        // the text ends in "</A>"
        {"*.exe*", {1, 5}},                   // any letter case
        {"*.exe*;*.zip*", {1, 2, 5}},         // ";" or
        {"*.exe* ^ *.zip*", {1, 2, 5}},       // "^" or, blanks around the sign
        {"*example*&*.htm*", {3}},            // "&" and
        {"!*.gif*", {1, 2, 3, 5}},            // "!" not
        {"!*.exe*&!*.zip*", {3, 4}},          //
        {"*//?.example/photo.*", {4}},        // "?" one character
        {"*//??.example/*", {}},              //
        {"*.exe</a>", {1, 2, 3, 4, 5}},       // ">" compares: every text is above nothing
        {"<<A", {}},                          // every anchor text sorts after "<A"
        {"*.zip*;>=<A&*.gif*", {4}},          // left to right, no precedence
        {"*HTTP://B.EXAMPLE/DOCS.ZIP*", {2}}, //
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Condition);
        ASSERT_EQ(Run({"/filter:" + c.Condition, "/scsv", Output()}), 0) << m_err.str();
        EXPECT_EQ(ReadWholeFile(Output()), Csv(c.Kept));
        EXPECT_EQ(m_out.str(), std::to_string(c.Kept.size()) + " lines listed\n");
    }
}

// The filter runs first, then the sort exactly as header clicks: the numbers stay in place.
TEST_F(BatchArrangeTest, SortFollowsTheFilterAsHeaderClicksDo)
{
    const struct {
        std::vector<std::string> Arguments;
        std::vector<int> Order;
    } cases[] = {
        {{"/sort:2"}, {2, 4, 1, 5, 3}},
        {{"/sort:~2"}, {3, 5, 1, 4, 2}},
        {{"/SORT:~1"}, {5, 4, 3, 2, 1}},
        {{"/sort:~2", "/filter:!*.gif*"}, {3, 5, 1, 2}},
        {{"/filter:*.exe*;*.zip*", "/sort:2"}, {2, 1, 5}},
        {{"/filter:*.htm*", "/sort:1"}, {3}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.Arguments;
        arguments.insert(arguments.end(), {"/scsv", Output()});
        SCOPED_TRACE(arguments.front());
        ASSERT_EQ(Run(arguments), 0) << m_err.str();
        EXPECT_EQ(ReadWholeFile(Output()), Csv(c.Order));
        EXPECT_EQ(m_out.str(), std::to_string(c.Order.size()) + " lines listed\n");
    }
}

// The printed list gets the stored column widths and reports its pages; without printing
// in the build, /spdf is refused before anything is read or written.
TEST_F(BatchArrangeTest, PdfOutputCountsPagesAndNeedsAPrinter)
{
    m_settings.WriteInteger("ColumnSizes", "Col1", 333);
    const std::string pdf = m_dir.File("list.pdf");
    ASSERT_EQ(Run({"/filter:!*.gif*", "/sort:~1", "/spdf", pdf}), 0) << m_err.str();
    EXPECT_EQ(m_out.str(), "4 lines listed, 3 pages\n");
    EXPECT_EQ(m_printedWidth, 333);
    EXPECT_EQ(m_printedFirstCell,
              "<A href=\"http://e.example/tool.EXE\">http://e.example/tool.EXE</A>");
    EXPECT_EQ(ReadWholeFile(pdf), "%PDF-1.4 stand-in");

    m_tools.PrintToPdf = [](TResultGrid&, const std::string&) -> int {
        throw std::runtime_error("Cannot write file out.pdf");
    };
    EXPECT_EQ(Run({"/spdf", m_dir.File("other.pdf")}), 1);
    EXPECT_EQ(m_err.str(), "Cannot write file out.pdf\n");

    m_tools.PrintToPdf = nullptr;
    EXPECT_EQ(Run({"/spdf", m_dir.File("other.pdf")}), 1);
    EXPECT_EQ(m_err.str(), "Cannot write " + m_dir.File("other.pdf") +
                               ": this build of varnok5 has no printing, so /spdf is not "
                               "available\n");
    EXPECT_EQ(m_out.str(), "");
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("other.pdf")));
}

// A stretch that fails to read in the middle of the index fails the export: the list would
// silently lack evidence. The message names the file, the stretch and the reason, and an
// earlier output keeps its contents.
TEST_F(BatchArrangeTest, ReadFailureInTheMiddleOfTheIndexFailsTheExport)
{
    const struct {
        std::int64_t FailFrom;
        std::string Stretch;
    } cases[] = {
        {0x5000, "reading the hash table at byte 20480"},
        {0x6000 + 256, "reading the records from byte 24576"},
    };
    WriteWholeFile(Output(), "earlier export");
    for (const auto& c : cases) {
        m_tools.OpenIndex = [&c](const std::string& path) {
            return std::make_unique<FailingFile>(path, c.FailFrom);
        };
        for (const char* format : {"/scsv", "/spdf"}) {
            SCOPED_TRACE(c.Stretch + format);
            EXPECT_EQ(Run({format, Output()}), 1);
            EXPECT_EQ(m_err.str(), "Cannot read the index file " + IndexPath() +
                                       ": read failed: Input/output error while " + c.Stretch +
                                       "\n");
            EXPECT_EQ(m_out.str(), "");
            EXPECT_EQ(ReadWholeFile(Output()), "earlier export");
        }
    }
    // The same double with nothing to fail reads the whole list.
    m_tools.OpenIndex = [](const std::string& path) {
        return std::make_unique<FailingFile>(path, INT64_MAX);
    };
    ASSERT_EQ(Run({"/scsv", Output()}), 0) << m_err.str();
    EXPECT_EQ(ReadWholeFile(Output()), Csv({1, 2, 3, 4, 5}));
}

} // namespace
