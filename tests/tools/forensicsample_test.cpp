#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "tests/tools/indexfilereader.h"
#include "tools/forensicsample.h"
#include "tools/indexbytes.h"

namespace varnok {

namespace {

bool blockMarked(const std::vector<std::uint8_t>& bytes, std::uint32_t offset)
{
    const std::uint32_t block = (offset - kIndexHeaderSize) / kIndexBlockSize;
    return (bytes[kIndexBitmapOffset + block / 8] >> (block % 8) & 1) != 0;
}

bool hashed(const std::vector<std::uint8_t>& bytes, std::uint32_t offset)
{
    for (const HashEntry& entry : UsedEntries(bytes)) {
        if (entry.RecordOffset == offset) {
            return true;
        }
    }
    return false;
}

struct FieldCase {
    const char* Name;
    UrlRecordPlan Plan;
    const char* Signature;
    std::uint32_t Expiry; // DOS date and time
    std::uint32_t LastChecked;
    std::uint8_t CacheFolder;
    bool HasHeaders;
    bool Listed; // marked in the bitmap and pointed at by a hash entry
};

UrlRecordPlan base(const std::string& address)
{
    UrlRecordPlan plan;
    plan.Address = address;
    plan.LastModified = FileTimeFromUtc(2004, 3, 1, 8, 0, 0);
    plan.LastAccess = FileTimeFromUtc(2004, 3, 15, 9, 12, 0);
    plan.FileSize = 4021;
    plan.Hits = 7;
    plan.SubFolder = 2;
    return plan;
}

std::vector<FieldCase> fieldCases()
{
    // DOS date 2004-04-14 (30 days on) 09:12:00 and 2004-03-15 09:12:00.
    constexpr std::uint32_t kDefaultExpiry = (24U << 9 | 4U << 5 | 14U) | (9U << 11 | 12U << 5)
                                                                              << 16;
    constexpr std::uint32_t kDefaultChecked = (24U << 9 | 3U << 5 | 15U) | (9U << 11 | 12U << 5)
                                                                               << 16;
    std::vector<FieldCase> cases;
    cases.push_back({"cache entry", base("http://www.pipe-works.org/a|b\"c\\d\x01\xe9"), "URL ",
                     kDefaultExpiry, kDefaultChecked, 2, true, true});
    UrlRecordPlan leak = base("http://download.example.org/setup.exe");
    leak.Signature = "LEAK";
    cases.push_back({"leak", leak, "LEAK", kDefaultExpiry, kDefaultChecked, 2, true, true});
    UrlRecordPlan cookie = base("Cookie:alice@example.org/");
    cookie.Headers.clear();
    cookie.FileName = "alice@example[1].txt";
    cookie.SubFolder = 0xFE;
    cookie.Expiry = 0x12345678;
    cookie.LastChecked = 0x9ABCDEF0;
    cases.push_back({"cookie", cookie, "URL ", 0x12345678, 0x9ABCDEF0, 0xFE, false, true});
    UrlRecordPlan deleted = base("http://www.bank.example/statement.pdf");
    deleted.Freed = true;
    deleted.InHashTable = false;
    cases.push_back({"deleted", deleted, "URL ", kDefaultExpiry, kDefaultChecked, 2, true, false});
    return cases;
}

} // namespace

TEST(IndexWriterRecordFields, EachFieldReadsBackFromItsOffset)
{
    for (const FieldCase& c : fieldCases()) {
        SCOPED_TRACE(c.Name);
        IndexFilePlan plan;
        plan.Urls = {base("http://neighbour.example/"), c.Plan};
        const GeneratedIndex index = BuildIndexFile(plan);
        const auto& bytes = index.Bytes;
        const std::uint32_t at = index.UrlOffsets[1];
        EXPECT_EQ(SignatureAt(bytes, at), c.Signature);
        EXPECT_EQ(TextAt(bytes, at + Le32(bytes, at + 0x34)), c.Plan.Address);
        EXPECT_EQ(Le64(bytes, at + 0x08), c.Plan.LastModified);
        EXPECT_EQ(Le64(bytes, at + 0x10), c.Plan.LastAccess);
        EXPECT_EQ(Le32(bytes, at + 0x18), c.Expiry);
        EXPECT_EQ(Le32(bytes, at + 0x20), 4021U);
        EXPECT_EQ(bytes[at + 0x38], c.CacheFolder);
        EXPECT_EQ(TextAt(bytes, at + Le32(bytes, at + 0x3C)), c.Plan.FileName);
        EXPECT_EQ(Le32(bytes, at + 0x50), c.LastChecked);
        EXPECT_EQ(Le32(bytes, at + 0x54), 7U);
        const std::uint32_t headers = Le32(bytes, at + 0x44);
        EXPECT_EQ(headers != 0, c.HasHeaders);
        if (c.HasHeaders) {
            EXPECT_EQ(TextAt(bytes, at + headers), c.Plan.Headers);
            EXPECT_EQ(Le32(bytes, at + 0x48), c.Plan.Headers.size());
        }
        EXPECT_EQ(blockMarked(bytes, at), c.Listed);
        EXPECT_EQ(hashed(bytes, at), c.Listed);
        EXPECT_TRUE(blockMarked(bytes, index.UrlOffsets[0]));
    }
}

TEST(ForensicSample, EachIndexKindCarriesItsAddressPrefixAndTimes)
{
    struct KindCase {
        const char* PathEnd;
        const char* Prefix;
        std::uint64_t SecondMinusFirst; // offset 8 minus offset 16, for every record
    };
    constexpr std::uint64_t kHour = 36000000000ULL;
    const KindCase kinds[] = {
        {"Temporary Internet Files/Content.IE5/index.dat", "http", 0},
        {"alice/Cookies/index.dat", "Cookie:alice@", 0},
        {"MSHist012004030820040315/index.dat", ":2004030820040315: alice@", 0},
        {"MSHist012004031520040316/index.dat", ":2004031520040316: alice@", kHour},
        {"History.IE5/index.dat", "Visited: alice@", 0},
        {"Content.IE5/index.dat", "http", 0},
    };
    const std::vector<ForensicSampleFile> files = MakeForensicSamplePlans();
    ASSERT_EQ(files.size(), std::size(kinds));
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].Path);
        EXPECT_TRUE(files[i].Path.ends_with(kinds[i].PathEnd));
        const GeneratedIndex index = BuildIndexFile(files[i].Plan);
        for (const std::uint32_t at : index.UrlOffsets) {
            const std::string address = TextAt(index.Bytes, at + Le32(index.Bytes, at + 0x34));
            EXPECT_TRUE(address.starts_with(kinds[i].Prefix)) << address;
            if (kinds[i].SecondMinusFirst != 0) {
                EXPECT_EQ(Le64(index.Bytes, at + 8) - Le64(index.Bytes, at + 16),
                          kinds[i].SecondMinusFirst);
            }
        }
    }
    // The cache holds each hard case once: a LEAK, a deleted entry, redirects, odd bytes.
    const IndexFilePlan& cache = files.back().Plan;
    int leaks = 0;
    int deleted = 0;
    int odd = 0;
    for (const UrlRecordPlan& url : cache.Urls) {
        leaks += url.Signature == "LEAK";
        deleted += url.Freed && !url.InHashTable;
        odd += url.Address.find_first_of("|\"\\\x01\xe9") != std::string::npos;
    }
    EXPECT_EQ(leaks, 1);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(odd, 5);
    EXPECT_EQ(cache.Redirects.size(), 2U);
}

TEST(ForensicSample, WritesTheProfileWithALinkADamagedFileAndANonIndexFile)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("forensic-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    std::string error;
    ASSERT_TRUE(WriteForensicSample(folder.string(), error)) << error;
    for (const ForensicSampleFile& file : MakeForensicSamplePlans()) {
        EXPECT_EQ(fs::file_size(folder / file.Path), BuildIndexFile(file.Plan).Bytes.size());
    }
    EXPECT_TRUE(fs::is_symlink(folder / kForensicLinkPath));
    EXPECT_TRUE(fs::exists(folder / kForensicLinkPath / "Content.IE5" / "index.dat"));
    std::ifstream damaged(folder / kForensicDamagedPath, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(damaged)), {});
    ASSERT_GT(bytes.size(), 0x20U);
    EXPECT_EQ(TextAt(bytes, 0), "Client UrlCache MMF Ver 5.2");
    EXPECT_LT(bytes.size(), Le32(bytes, 0x1C)); // cut short of the size it claims
    EXPECT_TRUE(fs::is_regular_file(folder / kForensicNotIndexPath));
    // Written again over itself, as a test run repeated in the same folder does.
    EXPECT_TRUE(WriteForensicSample(folder.string(), error)) << error;
    fs::remove_all(folder);
}

} // namespace varnok
