#include <cctype>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cacheindex/indexrecordvalue.h"
#include "cacheindex/indexscanner.h"
#include "forensic/indexkind.h"
#include "forensic/recordtimes.h"
#include "forensic/textescape.h"
#include "forensic/timelinelines.h"
#include "forensic/timelinesink.h"
#include "grid/indexlisting.h"
#include "grid/resultgrid.h"
#include "support/recordingscanview.h"
#include "support/testsupport.h"
#include "tools/indexwriter.h"

namespace varnok {

namespace {

// A body line as mactime reads it: eleven fields, MD5 and the numbers all digits, nothing
// that could end the line early.
::testing::AssertionResult IsBodyLine(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t bar = line.find('|'); bar != std::string::npos; bar = line.find('|', start)) {
        fields.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
    fields.push_back(line.substr(start));
    if (fields.size() != 11)
        return ::testing::AssertionFailure() << fields.size() << " fields: " << line;
    for (std::size_t index = 0; index < fields.size(); ++index) {
        const std::string& field = fields[index];
        const bool numeric = index != 1;
        for (const char c : field) {
            if (static_cast<unsigned char>(c) < 0x20 || (numeric && !std::isdigit(c)))
                return ::testing::AssertionFailure() << "field " << index << ": " << line;
        }
        if (numeric && field.empty())
            return ::testing::AssertionFailure() << "field " << index << " empty: " << line;
    }
    return ::testing::AssertionSuccess();
}

// A cache page with hostile text, a deleted weekly-history entry, a "LEAK" record and a
// redirect without times behind it, in this order.
class TimelineSinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        IndexFilePlan plan;
        UrlRecordPlan page;
        page.Address = "http://example.com/a|\"b\"\xE9\n";
        page.LastModified = FileTimeFromUtc(2004, 3, 1, 10, 0, 0);
        page.LastAccess = FileTimeFromUtc(2004, 3, 14, 19, 2, 36);
        page.FileSize = 1234;
        page.SubFolder = 1;
        page.Hits = 3;
        page.FileName = "a[1].htm";
        page.Headers = "HTTP/1.1 200 OK\r\n\r\n";
        plan.Urls.push_back(page);
        UrlRecordPlan weekly;
        weekly.Address = ":2004030820040315: jane@http://example.com/";
        // A weekly entry keeps the visit at offset 8, in the writer's local time, and when it
        // was made at offset 16.
        weekly.LastModified = FileTimeFromUtc(2004, 3, 8, 0, 0, 0);
        weekly.LastAccess = FileTimeFromUtc(2004, 3, 9, 8, 30, 0);
        weekly.FileName = "";
        weekly.Headers = "";
        weekly.Freed = true;
        plan.Urls.push_back(weekly);
        UrlRecordPlan leak;
        leak.Address = "http://example.com/leak";
        leak.LastAccess = FileTimeFromUtc(2004, 3, 10, 12, 0, 0);
        leak.FileName = "";
        leak.Headers = "";
        plan.Urls.push_back(leak);
        RedirectRecordPlan redirect;
        redirect.Address = "http://example.com/r";
        plan.Redirects.push_back(redirect);
        plan.Order = {0, 1, 2, ~0};
        const GeneratedIndex index = BuildIndexFile(plan);
        WriteWholeFile(m_path, WithBytesAt(index.Bytes, index.UrlOffsets[2], "LEAK"));
    }

    std::string Write(TimelineFormat format)
    {
        std::ostringstream out;
        TimelineSink sink(format, out);
        sink.SetSource("case 1/index.dat");
        RecordingScanView view;
        IndexScanner(ScanMode::OpenCommand, view, sink).Run(m_path);
        EXPECT_EQ(view.ErrorCount, 0);
        m_records = sink.RecordCount();
        m_events = sink.EventCount();
        return out.str();
    }

    TempDir m_dir;
    std::string m_path = m_dir.File("index.dat");
    std::int64_t m_records = 0;
    std::int64_t m_events = 0;
};

TEST_F(TimelineSinkTest, JsonLinesHoldEveryRecordAndEveryTime)
{
    const std::string page =
        R"j({"message":"Location: http://example.com/a|\"b\"é\n Number of hits: 3 Cached file: Q7BW2K1M\\a[1].htm","record_type":"URL","offset":24576,"url":"http://example.com/a|\"b\"é\n","cached_filename":"a[1].htm","cached_file_size":1234,"cache_directory":"Q7BW2K1M","cache_directory_index":1,"number_of_hits":3,"http_headers":"HTTP/1.1 200 OK\r\n\r\n","user":"","recovered":false,"index_type":"cache","source":"case 1/index.dat")j";
    const std::string weekly =
        R"j({"message":"Location: :2004030820040315: jane@http://example.com/ Number of hits: 0 (recovered)","record_type":"URL","offset":24832,"url":":2004030820040315: jane@http://example.com/","cached_filename":"","cached_file_size":0,"cache_directory":"ENG3X4ZR","cache_directory_index":0,"number_of_hits":0,"http_headers":"","user":"","recovered":true,"index_type":"history-weekly","source":"case 1/index.dat")j";
    const std::string redirect =
        R"j({"message":"Location: http://example.com/r","record_type":"REDR","offset":25344,"url":"http://example.com/r","cached_filename":"","cached_file_size":null,"cache_directory":"","cache_directory_index":null,"number_of_hits":null,"http_headers":"","user":"","recovered":false,"index_type":"cache","source":"case 1/index.dat")j";
    const std::string leak =
        R"j({"message":"Location: http://example.com/leak Number of hits: 0","record_type":"LEAK","offset":25088,"url":"http://example.com/leak","cached_filename":"","cached_file_size":0,"cache_directory":"ENG3X4ZR","cache_directory_index":0,"number_of_hits":0,"http_headers":"","user":"","recovered":false,"index_type":"cache","source":"case 1/index.dat")j";
    const std::vector<std::string> expected = {
        page +
            R"j(,"datetime":"2004-03-01T10:00:00.000000+00:00","timestamp":1078135200000000,"timestamp_desc":"Content Modification Time"})j",
        page +
            R"j(,"datetime":"2004-03-14T19:02:36.000000+00:00","timestamp":1079290956000000,"timestamp_desc":"Last Access Time"})j",
        page +
            R"j(,"datetime":"2004-04-13T19:02:36.000000+00:00","timestamp":1081882956000000,"timestamp_desc":"Expiration Time"})j",
        page +
            R"j(,"datetime":"2004-03-14T19:02:36.000000+00:00","timestamp":1079290956000000,"timestamp_desc":"Last Checked Time"})j",
        weekly +
            R"j(,"datetime":"2004-03-09T08:30:00.000000+00:00","timestamp":1078821000000000,"timestamp_desc":"Creation Time"})j",
        weekly +
            R"j(,"datetime":"2004-03-08T00:00:00.000000+00:00","timestamp":1078704000000000,"timestamp_desc":"Last Visited Time","local_time":true})j",
        weekly +
            R"j(,"datetime":"2004-04-08T08:30:00.000000+00:00","timestamp":1081413000000000,"timestamp_desc":"Expiration Time"})j",
        weekly +
            R"j(,"datetime":"2004-03-09T08:30:00.000000+00:00","timestamp":1078821000000000,"timestamp_desc":"Last Checked Time"})j",
        leak +
            R"j(,"datetime":"2004-03-10T12:00:00.000000+00:00","timestamp":1078920000000000,"timestamp_desc":"Last Access Time"})j",
        leak +
            R"j(,"datetime":"2004-04-09T12:00:00.000000+00:00","timestamp":1081512000000000,"timestamp_desc":"Expiration Time"})j",
        leak +
            R"j(,"datetime":"2004-03-10T12:00:00.000000+00:00","timestamp":1078920000000000,"timestamp_desc":"Last Checked Time"})j",
        redirect +
            R"j(,"datetime":"1970-01-01T00:00:00.000000+00:00","timestamp":0,"timestamp_desc":"Not a time"})j",
    };
    EXPECT_EQ(Lines(Write(TimelineFormat::JsonLines)), expected);
    EXPECT_EQ(m_records, 4);
    EXPECT_EQ(m_events, 11);
}

TEST_F(TimelineSinkTest, BodyFileHasOneStrictLinePerRecord)
{
    const std::vector<std::string> expected = {
        "0|case 1/index.dat:http://example.com/a%7C\"b\"é\u240A|0|0|0|0|1234|1079290956|1078135200|"
        "1079290956|0",
        "0|case 1/index.dat::2004030820040315: jane@http://example.com/|0|0|0|0|0|1078704000|"
        "1078821000|1078821000|0",
        "0|case 1/index.dat:http://example.com/leak|0|0|0|0|0|1078920000|0|1078920000|0",
        "0|case 1/index.dat:http://example.com/r|0|0|0|0|0|0|0|0|0",
    };
    const std::vector<std::string> lines = Lines(Write(TimelineFormat::BodyFile));
    EXPECT_EQ(lines, expected);
    for (const std::string& line : lines)
        EXPECT_TRUE(IsBodyLine(line));
    EXPECT_EQ(m_events, 11);
}

// Writes each record's JSON lines the moment it arrives, on the scan's own thread.
class RecordByRecordSink final : public RecordSink {
public:
    explicit RecordByRecordSink(std::string source) { AppendJsonString(m_source, source); }
    void Record(const IndexRecordValue& record) override
    {
        const IndexKind kind = IndexKindOfAddress(record.Address);
        const RecordTimes times = TimesOf(record, kind);
        const TimelineRecord line{record, kind, times, m_source};
        std::string fields;
        AppendJsonFieldsBeforeHeaders(fields, line);
        AppendJsonText(fields, record.Headers);
        AppendJsonFieldsAfterHeaders(fields, line);
        AppendJsonEventLines(Lines, fields, EventsOf(times, kind));
    }
    [[nodiscard]] bool WantsLeakRecords() const override { return true; }
    std::string Lines;

private:
    std::string m_source;
};

// Thousands of records, two files into one timeline: the lines the sink finishes on a
// second thread come out whole, in order and with their own file, as record by record.
TEST_F(TimelineSinkTest, LongTimelinesMatchLinesWrittenRecordByRecord)
{
    const std::string second = m_dir.File("second.dat");
    WriteWholeFile(second, BuildIndexFile(MakeRealisticPlan(3000, 7)).Bytes);
    const std::vector<std::pair<std::string, std::string>> files = {{second, "image/a/index.dat"},
                                                                    {m_path, "image/b/index.dat"},
                                                                    {second, "image/c/index.dat"}};

    std::ostringstream out;
    TimelineSink sink(TimelineFormat::JsonLines, out);
    std::string expected;
    for (const auto& [path, source] : files) {
        sink.SetSource(source);
        RecordingScanView view;
        IndexScanner(ScanMode::OpenCommand, view, sink).Run(path);
        RecordByRecordSink reference(source);
        IndexScanner(ScanMode::OpenCommand, view, reference).Run(path);
        EXPECT_EQ(view.ErrorCount, 0);
        expected += reference.Lines;
    }
    ASSERT_TRUE(sink.Flush());
    EXPECT_GT(expected.size(), 4u * 1024 * 1024) << "more than a handful of hand-overs";
    EXPECT_EQ(out.str(), expected);
    EXPECT_EQ(sink.RecordCount(), 6004);
    // One line per time, and one for each record without a time.
    std::size_t lines = 0;
    std::size_t timeless = 0;
    for (const std::string& line : Lines(expected)) {
        ++lines;
        timeless += line.find(R"("timestamp_desc":"Not a time")") != std::string::npos ? 1 : 0;
    }
    EXPECT_GT(timeless, 1u);
    EXPECT_EQ(static_cast<std::size_t>(sink.EventCount()), lines - timeless);
}

TEST_F(TimelineSinkTest, LeakRecordsStayOutOfTheList)
{
    TResultGrid grid;
    RecordingScanView view;
    ScanIndexFile(m_path, ScanMode::OpenCommand, ScanOptions{{}, true, false}, grid, view);
    ASSERT_EQ(grid.GetRowCountEx(), 4);
    EXPECT_EQ(grid.GetCellEx(1, 3), "http://example.com/r");
}

} // namespace

} // namespace varnok
