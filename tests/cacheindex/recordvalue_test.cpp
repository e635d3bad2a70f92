// The values the walk hands to a sink: every field of each record, exactly as written.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cacheindex/indexscanner.h"
#include "scanfixture.h"

namespace varnok {

namespace {

// A record value with its texts copied, so it outlives the sink's call.
struct KeptRecord {
    std::string Signature;
    std::int64_t Offset = 0;
    std::optional<std::uint32_t> BlockCount;
    std::optional<std::uint64_t> LastModified;
    std::optional<std::uint64_t> LastAccess;
    std::optional<std::uint32_t> Expiry;
    std::optional<std::uint32_t> LastChecked;
    std::optional<std::uint32_t> Hits;
    std::optional<std::uint32_t> CachedFileSize;
    std::optional<std::uint8_t> CacheFolderIndex;
    std::string CacheFolderName;
    std::string CachedFileName;
    std::string Headers;
    std::string Address;
    std::string User;
    bool Recovered = false;
};

class KeepingSink final : public RecordSink {
public:
    void Record(const IndexRecordValue& r) override
    {
        Records.push_back({std::string(r.Signature), r.Offset, r.BlockCount, r.LastModified,
                           r.LastAccess, r.Expiry, r.LastChecked, r.Hits, r.CachedFileSize,
                           r.CacheFolderIndex, std::string(r.CacheFolderName),
                           std::string(r.CachedFileName), std::string(r.Headers),
                           std::string(r.Address), std::string(r.User), r.Recovered});
    }
    std::vector<KeptRecord> Records;
};

std::vector<KeptRecord> Walk(const std::vector<std::uint8_t>& bytes, ScanMode mode)
{
    MemoryByteSource source(bytes);
    RecordingScanView view;
    KeepingSink sink;
    IndexScanner(mode, view, sink).Run("index.dat", source);
    return sink.Records;
}

void ExpectSame(const KeptRecord& actual, const KeptRecord& expected)
{
    SCOPED_TRACE(expected.Address);
    EXPECT_EQ(actual.Signature, expected.Signature);
    EXPECT_EQ(actual.Offset, expected.Offset);
    EXPECT_EQ(actual.BlockCount, expected.BlockCount);
    EXPECT_EQ(actual.LastModified, expected.LastModified);
    EXPECT_EQ(actual.LastAccess, expected.LastAccess);
    EXPECT_EQ(actual.Expiry, expected.Expiry);
    EXPECT_EQ(actual.LastChecked, expected.LastChecked);
    EXPECT_EQ(actual.Hits, expected.Hits);
    EXPECT_EQ(actual.CachedFileSize, expected.CachedFileSize);
    EXPECT_EQ(actual.CacheFolderIndex, expected.CacheFolderIndex);
    EXPECT_EQ(actual.CacheFolderName, expected.CacheFolderName);
    EXPECT_EQ(actual.CachedFileName, expected.CachedFileName);
    EXPECT_EQ(actual.Headers, expected.Headers);
    EXPECT_EQ(actual.Address, expected.Address);
    EXPECT_EQ(actual.User, expected.User);
    EXPECT_EQ(actual.Recovered, expected.Recovered);
}

constexpr const char* kHtmlHeaders = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n";
constexpr const char* kGifHeaders = "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n\r\n";

// Visited on 7 March 2005 at 13:05:09 UTC; the writer stamps the check at the same moment
// and the expiry 30 days later, as DOS date (low half) and time (high half).
const std::uint64_t kVisit = FileTimeFromUtc(2005, 3, 7, 13, 5, 9);
const std::uint64_t kModified = FileTimeFromUtc(2004, 11, 2, 6, 30, 36);
constexpr std::uint32_t kVisitDos = 0x68A4'3267;
constexpr std::uint32_t kExpiryDos = 0x68A4'3286;

struct RecordCase {
    UrlRecordPlan Plan;
    KeptRecord Expected; // Offset is filled in from where the writer put the record
};

std::vector<RecordCase> UrlCases()
{
    std::vector<RecordCase> cases;
    UrlRecordPlan page;
    page.Address = "http://www.example.com/";
    page.LastModified = kModified;
    page.LastAccess = kVisit;
    page.FileName = "index[1].htm";
    page.Headers = kHtmlHeaders;
    page.FileSize = 5120;
    page.SubFolder = 2;
    page.Hits = 7;
    cases.push_back(
        {page,
         {"URL ", 0, 2u, kModified, kVisit, kExpiryDos, kVisitDos, 7u, 5120u, std::uint8_t{2},
          "XS0TNE5P", "index[1].htm", kHtmlHeaders, "http://www.example.com/", "", false}});

    // A history entry in the old layout (address at 96), without a cached file.
    UrlRecordPlan visited;
    visited.Address = "Visited: alice@http://www.example.org/a?b=1&c=2";
    visited.LastAccess = kVisit;
    visited.FileName = "";
    visited.Headers = "";
    visited.AddressAt96 = true;
    visited.Hits = 1;
    cases.push_back(
        {visited,
         {"URL ", 0, 2u, 0u, kVisit, kExpiryDos, kVisitDos, 1u, 0u, std::uint8_t{0}, "ENG3X4ZR", "",
          "", "Visited: alice@http://www.example.org/a?b=1&c=2", "alice", false}});

    // A deleted entry: its blocks are free in the bitmap; its folder index names no folder
    // of the header's table. Its headers take it to a third block.
    UrlRecordPlan deleted;
    deleted.Address = "http://deleted.example/x.gif";
    deleted.LastAccess = kVisit;
    deleted.FileName = "x[1].gif";
    deleted.Headers = std::string(kGifHeaders) + std::string(100, 'h');
    deleted.SubFolder = 7;
    deleted.FileSize = 43;
    deleted.Freed = true;
    cases.push_back({deleted,
                     {"URL ", 0, 3u, 0u, kVisit, kExpiryDos, kVisitDos, 0u, 43u, std::uint8_t{7},
                      "", "x[1].gif", deleted.Headers, "http://deleted.example/x.gif", "", true}});
    return cases;
}

TEST(RecordValues, EveryFieldOfEachRecordAsWritten)
{
    IndexFilePlan plan;
    std::vector<RecordCase> cases = UrlCases();
    for (const RecordCase& c : cases)
        plan.Urls.push_back(c.Plan);
    RedirectRecordPlan redirect;
    redirect.Address = "http://example.net/";
    plan.Redirects.push_back(redirect);
    RedirectRecordPlan freedRedirect;
    freedRedirect.Address = "http://gone.example/";
    freedRedirect.AddressAt24 = true;
    freedRedirect.Freed = true;
    plan.Redirects.push_back(freedRedirect);
    plan.Order = {0, ~0, 1, 2, ~1};
    const GeneratedIndex index = BuildIndexFile(plan);

    std::vector<KeptRecord> expected;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        cases[i].Expected.Offset = index.UrlOffsets[i];
        expected.push_back(cases[i].Expected);
    }
    // Redirects hold no times, counts, file or headers.
    KeptRecord redirectValue;
    redirectValue.Signature = "REDR";
    redirectValue.Offset = index.RedirectOffsets[0];
    redirectValue.BlockCount = 1u;
    redirectValue.Address = redirect.Address;
    KeptRecord freedValue = redirectValue;
    freedValue.Offset = index.RedirectOffsets[1];
    freedValue.Address = freedRedirect.Address;
    freedValue.Recovered = true;
    expected.insert(expected.begin() + 1, redirectValue);
    expected.push_back(freedValue);

    const std::vector<KeptRecord> found = Walk(index.Bytes, ScanMode::OpenCommand);
    ASSERT_EQ(found.size(), expected.size());
    for (std::size_t i = 0; i < found.size(); ++i)
        ExpectSame(found[i], expected[i]);

    // The start-up read knows no redirects: its walk hands on the URL records only.
    const std::vector<KeptRecord> startup = Walk(index.Bytes, ScanMode::Startup);
    ASSERT_EQ(startup.size(), cases.size());
    for (std::size_t i = 0; i < startup.size(); ++i)
        ExpectSame(startup[i], cases[i].Expected);
}

// A field the end of the file cuts into is absent; the texts end where the file does.
TEST(RecordValues, FieldsPastTheEndOfTheFileAreAbsent)
{
    IndexFilePlan plan;
    plan.Urls = {UrlCases().front().Plan};
    const GeneratedIndex index = BuildIndexFile(plan);
    const std::uint32_t record = index.UrlOffsets[0];
    // The file (and so the walk's region) ends inside the last-checked time; the region
    // ends four bytes before it, behind the record's first byte.
    const std::vector<KeptRecord> found =
        Walk(Truncated(index.Bytes, record + 0x52), ScanMode::OpenCommand);
    ASSERT_EQ(found.size(), 1u);
    ExpectSame(found[0], {"URL ", record, 2u, kModified, kVisit, kExpiryDos, std::nullopt,
                          std::nullopt, 5120u, std::uint8_t{2}, "XS0TNE5P", "", "", "", "", false});
}

} // namespace

} // namespace varnok
