#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <set>

#include "tests/tools/indexfilereader.h"
#include "tools/indexwriter.h"

namespace varnok {

namespace {

UrlRecordPlan url(const std::string& address, const std::string& type = "text/html")
{
    UrlRecordPlan plan;
    plan.Address = address;
    plan.LastModified = FileTimeFromUtc(2005, 2, 1, 10, 0, 0);
    plan.LastAccess = FileTimeFromUtc(2005, 3, 7, 13, 5, 9);
    plan.Headers = "HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\n\r\n~U:tester\r\n";
    plan.FileName = "page[1].htm";
    return plan;
}

IndexFilePlan mixedPlan(int urls, int redirects, int tables)
{
    IndexFilePlan plan;
    plan.TableCount = tables;
    for (int i = 0; i < urls; ++i) {
        plan.Urls.push_back(
            url("http://host" + std::to_string(i % 7) + ".example/p" + std::to_string(i)));
        plan.Urls.back().SubFolder = i % 4;
    }
    for (int i = 0; i < redirects; ++i) {
        plan.Redirects.push_back({"http://moved.example/r" + std::to_string(i), false, 1});
    }
    return plan;
}

int bitsSet(const std::vector<std::uint8_t>& bytes)
{
    int count = 0;
    for (std::size_t i = kIndexBitmapOffset; i < kIndexHeaderSize; ++i) {
        count += std::popcount(bytes[i]);
    }
    return count;
}

bool blockMarked(const std::vector<std::uint8_t>& bytes, std::uint32_t offset)
{
    const std::uint32_t block = (offset - kIndexHeaderSize) / kIndexBlockSize;
    return (bytes[kIndexBitmapOffset + block / 8] >> (block % 8) & 1) != 0;
}

} // namespace

TEST(IndexWriterHeader, CarriesSignatureSizeTableAndBlockCounts)
{
    const GeneratedIndex index = BuildIndexFile(mixedPlan(30, 3, 2));
    const auto& bytes = index.Bytes;
    EXPECT_EQ(TextAt(bytes, 0), "Client UrlCache MMF Ver 5.2");
    EXPECT_EQ(bytes[27], 0);
    EXPECT_EQ(Le32(bytes, 0x1C), bytes.size());
    EXPECT_EQ(bytes.size() % kIndexSizeStep, 0U);
    EXPECT_EQ(Le32(bytes, 0x20), 0x5000U);
    EXPECT_EQ(Le32(bytes, 0x24), (bytes.size() - kIndexHeaderSize) / kIndexBlockSize);

    std::uint32_t used = 0;
    for (const std::uint32_t blocks : index.TableBlocks) {
        used += blocks;
    }
    for (const std::uint32_t record : index.RecordOffsets) {
        used += Le32(bytes, record + 4);
    }
    EXPECT_EQ(Le32(bytes, 0x28), used);
    EXPECT_EQ(bitsSet(bytes), static_cast<int>(used));
    for (const std::uint32_t record : index.RecordOffsets) {
        EXPECT_TRUE(blockMarked(bytes, record)) << record;
    }
    EXPECT_FALSE(blockMarked(bytes, 0x4000)); // the space before the first table is unused
}

TEST(IndexWriterHeader, ListsSubFoldersWithTheirFileCounts)
{
    const IndexFilePlan plan = mixedPlan(30, 0, 1);
    const auto bytes = BuildIndexFile(plan).Bytes;
    ASSERT_EQ(Le32(bytes, 0x48), plan.SubFolders.size());
    std::uint32_t files = 0;
    for (std::size_t i = 0; i < plan.SubFolders.size(); ++i) {
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[0x4C + i * 12 + 4]), 8),
                  plan.SubFolders[i]);
        files += Le32(bytes, 0x4C + i * 12);
    }
    EXPECT_EQ(files, 30U);
    EXPECT_EQ(Le32(bytes, 0x4C), 8U); // folders 0, 4, 8, ... of 30 records
}

TEST(IndexWriterTables, ChainThroughNextOffsetsWithRecordsBetweenThem)
{
    const GeneratedIndex index = BuildIndexFile(mixedPlan(40, 5, 3));
    const auto& bytes = index.Bytes;
    ASSERT_EQ(TableChain(bytes), index.TableOffsets);
    ASSERT_EQ(index.TableOffsets.size(), 3U);
    EXPECT_EQ(index.TableOffsets[0], 0x5000U);
    EXPECT_EQ(index.RecordOffsets.front(), 0x6000U);
    for (std::size_t t = 0; t < index.TableOffsets.size(); ++t) {
        const std::uint32_t table = index.TableOffsets[t];
        EXPECT_EQ(table % kIndexBlockSize, 0U);
        EXPECT_EQ(Le32(bytes, table + 4), 32U);
        EXPECT_EQ(Le32(bytes, table + 12), t);
    }
    EXPECT_EQ(Le32(bytes, index.TableOffsets.back() + 8), 0U);
    // Later tables follow the records of the region before them, not a 4 KB grid.
    EXPECT_NE(index.TableOffsets[1] % 0x1000, 0U);
    EXPECT_LT(index.RecordOffsets.back(), bytes.size() - 4);
}

TEST(IndexWriterTables, EveryRecordHasOneEntryInTheTableOfItsRegion)
{
    const GeneratedIndex index = BuildIndexFile(mixedPlan(40, 5, 3));
    const std::vector<HashEntry> entries = UsedEntries(index.Bytes);
    ASSERT_EQ(entries.size(), index.RecordOffsets.size());
    std::set<std::uint32_t> pointedAt;
    for (const HashEntry& entry : entries) {
        pointedAt.insert(entry.RecordOffset);
        const auto table =
            std::find(index.TableOffsets.begin(), index.TableOffsets.end(), entry.Table);
        const bool isLast = table + 1 == index.TableOffsets.end();
        EXPECT_GE(entry.RecordOffset, entry.Table + kHashTableSize);
        EXPECT_LT(entry.RecordOffset, isLast ? index.Bytes.size() : *(table + 1));
        const bool redirect = SignatureAt(index.Bytes, entry.RecordOffset) == "REDR";
        EXPECT_EQ(entry.Key & 0x3F, redirect ? 5U : 0U);
    }
    EXPECT_EQ(pointedAt,
              std::set<std::uint32_t>(index.RecordOffsets.begin(), index.RecordOffsets.end()));
}

TEST(IndexWriterTables, AFullRegionGetsALongerTableAndEveryEntry)
{
    const GeneratedIndex index = BuildIndexFile(mixedPlan(600, 0, 1));
    ASSERT_EQ(index.TableBlocks, std::vector<std::uint32_t>{64});
    EXPECT_EQ(Le32(index.Bytes, 0x5004), 64U);
    EXPECT_EQ(index.RecordOffsets.front(), 0x5000U + 64 * 128);
    EXPECT_EQ(UsedEntries(index.Bytes).size(), 600U);
    EXPECT_EQ(WalkRecords(index.Bytes), index.RecordOffsets);
}

TEST(IndexWriterTables, EntriesPerTableDecidesTheNumberOfTables)
{
    IndexFilePlan plan = mixedPlan(25, 0, 1);
    plan.EntriesPerTable = 10;
    const GeneratedIndex index = BuildIndexFile(plan);
    EXPECT_EQ(index.TableOffsets.size(), 3U);
    EXPECT_EQ(UsedEntries(index.Bytes).size(), 25U);
}

TEST(IndexWriterTables, AViewersBlockWalkFindsExactlyTheRecords)
{
    for (const int tables : {1, 2, 5}) {
        IndexFilePlan plan = mixedPlan(60, 12, tables);
        plan.Urls[3].Address = "http://long.example/" + std::string(400, 'q');
        AddLayoutVariants(plan);
        const GeneratedIndex index = BuildIndexFile(plan);
        EXPECT_EQ(WalkRecords(index.Bytes), index.RecordOffsets) << tables << " tables";
    }
}

TEST(IndexWriterTables, FirstTableAndRecordStartFollowThePlan)
{
    IndexFilePlan plan = mixedPlan(3, 0, 1);
    plan.FirstTableOffset = 0x6000;
    plan.RecordsStart = 0x8000;
    const GeneratedIndex index = BuildIndexFile(plan);
    EXPECT_EQ(Le32(index.Bytes, 0x20), 0x6000U);
    EXPECT_EQ(SignatureAt(index.Bytes, 0x6000), "HASH");
    EXPECT_EQ(index.RecordOffsets.front(), 0x8000U);
    EXPECT_EQ(WalkRecords(index.Bytes), index.RecordOffsets);
}

TEST(IndexWriterRecords, UrlRecordInTheUsualLayout)
{
    IndexFilePlan plan;
    plan.Urls.push_back(url("http://www.example.com/index.html"));
    plan.Urls.back().FileSize = 4321;
    plan.Urls.back().SubFolder = 2;
    const GeneratedIndex index = BuildIndexFile(plan);
    const auto& bytes = index.Bytes;
    const std::uint32_t at = index.UrlOffsets[0];
    EXPECT_EQ(SignatureAt(bytes, at), "URL ");
    EXPECT_EQ(Le32(bytes, at + 4), 2U);
    EXPECT_EQ(Le64(bytes, at + 8), plan.Urls[0].LastModified);
    EXPECT_EQ(Le64(bytes, at + 16), plan.Urls[0].LastAccess);
    EXPECT_EQ(Le32(bytes, at + 0x20), 4321U);
    EXPECT_EQ(Le32(bytes, at + 0x34), 0x68U);
    EXPECT_EQ(bytes[at + 0x38], 2);
    EXPECT_EQ(Le32(bytes, at + 0x60), 0U);
    EXPECT_EQ(TextAt(bytes, at + 0x68), plan.Urls[0].Address);
    EXPECT_EQ(TextAt(bytes, at + Le32(bytes, at + 0x3C)), "page[1].htm");
    EXPECT_EQ(TextAt(bytes, at + Le32(bytes, at + 0x44)), plan.Urls[0].Headers);
    EXPECT_EQ(Le32(bytes, at + 0x48), plan.Urls[0].Headers.size());
    EXPECT_EQ(ViewerAddress(bytes, at), plan.Urls[0].Address);
}

TEST(IndexWriterRecords, HeaderSampleAfterTheAddressNamesTheTextType)
{
    IndexFilePlan plan;
    plan.Urls.push_back(url("http://www.example.com/a.html", "text/html"));
    plan.Urls.push_back(url("http://www.example.com/b.gif", "image/gif"));
    const GeneratedIndex index = BuildIndexFile(plan);
    const auto sample = [&](std::size_t i) {
        const std::size_t start = index.UrlOffsets[i] + 0x68 + plan.Urls[i].Address.size() + 1;
        std::string text;
        for (std::size_t i = start; i < start + 130; ++i) {
            if (index.Bytes[i] != 0) {
                text += static_cast<char>(index.Bytes[i]);
            }
        }
        return text;
    };
    EXPECT_NE(sample(0).find("Content-Type: text"), std::string::npos);
    EXPECT_NE(sample(1).find("Content-Type: image/gif"), std::string::npos);
    EXPECT_EQ(sample(1).find("Content-Type: text"), std::string::npos);
}

TEST(IndexWriterRecords, AddressAt96MakesTheMarkerTheFirstCharacter)
{
    IndexFilePlan plan;
    plan.Urls.push_back(url("http://old.example/"));
    plan.Urls.back().AddressAt96 = true;
    const GeneratedIndex index = BuildIndexFile(plan);
    const std::uint32_t at = index.UrlOffsets[0];
    EXPECT_EQ(index.Bytes[at + 96], 'h');
    EXPECT_EQ(Le32(index.Bytes, at + 0x34), 0x60U);
    EXPECT_EQ(ViewerAddress(index.Bytes, at), "http://old.example/");
}

TEST(IndexWriterRecords, LongAddressesSpanMoreBlocks)
{
    IndexFilePlan plan;
    const std::string address = "http://long.example/?" + std::string(330, 'x');
    plan.Urls.push_back(url(address));
    const GeneratedIndex index = BuildIndexFile(plan);
    const std::uint32_t at = index.UrlOffsets[0];
    const std::size_t needed = 0x68 + address.size() + 1 + 12 + plan.Urls[0].Headers.size() + 1;
    EXPECT_GE(Le32(index.Bytes, at + 4) * 128, needed);
    EXPECT_EQ(Le32(index.Bytes, at + 4), 5U);
    EXPECT_EQ(TextAt(index.Bytes, at + 0x68), address);
}

TEST(IndexWriterRecords, UrlBlocksAreAMinimum)
{
    IndexFilePlan plan;
    plan.Urls.push_back(url("http://a.example/"));
    plan.Urls.back().Blocks = 4;
    plan.Urls.push_back(url("http://b.example/" + std::string(300, 'b')));
    plan.Urls.back().Blocks = 2;
    const GeneratedIndex index = BuildIndexFile(plan);
    EXPECT_EQ(Le32(index.Bytes, index.UrlOffsets[0] + 4), 4U);
    EXPECT_EQ(index.UrlOffsets[1] - index.UrlOffsets[0], 4U * 128);
    EXPECT_GT(Le32(index.Bytes, index.UrlOffsets[1] + 4), 2U);
}

TEST(IndexWriterRecords, RedirectRecordsInBothLayouts)
{
    IndexFilePlan plan;
    plan.Redirects.push_back({"http://moved.example/", false, 1});
    plan.Redirects.push_back({"http://older.example/", true, 1});
    plan.Redirects.push_back({"http://two.example/", false, 2});
    plan.Redirects.push_back({"http://far.example/" + std::string(150, 'z'), false, 1});
    const GeneratedIndex index = BuildIndexFile(plan);
    const auto& bytes = index.Bytes;
    const auto& at = index.RedirectOffsets;
    EXPECT_EQ(SignatureAt(bytes, at[0]), "REDR");
    EXPECT_EQ(Le32(bytes, at[0] + 4), 1U);
    EXPECT_EQ(bytes[at[0] + 16], 'h');
    EXPECT_EQ(ViewerAddress(bytes, at[0]), "http://moved.example/");
    EXPECT_EQ(at[1] - at[0], 128U); // one-block records follow each other directly
    EXPECT_EQ(bytes[at[1] + 16], 0);
    EXPECT_EQ(TextAt(bytes, at[1] + 24), "http://older.example/");
    EXPECT_EQ(ViewerAddress(bytes, at[1]), "http://older.example/");
    EXPECT_EQ(Le32(bytes, at[2] + 4), 2U);
    EXPECT_EQ(Le32(bytes, at[3] + 4), 2U); // the long address needs a second block
    EXPECT_EQ(ViewerAddress(bytes, at[3]), plan.Redirects[3].Address);
}

TEST(IndexWriterRecords, OrderPlacesRecordsAndRejectsMissingOnes)
{
    IndexFilePlan plan = mixedPlan(2, 2, 1);
    plan.Order = {~1, 0, ~0, 1};
    const GeneratedIndex index = BuildIndexFile(plan);
    EXPECT_EQ(index.RecordOffsets[0], index.RedirectOffsets[1]);
    EXPECT_EQ(index.RecordOffsets[1], index.UrlOffsets[0]);
    EXPECT_EQ(index.RecordOffsets[2], index.RedirectOffsets[0]);
    EXPECT_EQ(index.RecordOffsets[3], index.UrlOffsets[1]);
    EXPECT_EQ(RecordOrder(plan), plan.Order);

    plan.Order = {0, 2};
    EXPECT_THROW((void)BuildIndexFile(plan), std::out_of_range);
    plan.Order = {~5};
    EXPECT_THROW((void)BuildIndexFile(plan), std::out_of_range);
}

TEST(IndexWriterRecords, EmptyPlanGivesOneTableAndNoRecords)
{
    const GeneratedIndex index = BuildIndexFile(IndexFilePlan{});
    EXPECT_EQ(index.TableOffsets.size(), 1U);
    EXPECT_TRUE(index.RecordOffsets.empty());
    EXPECT_TRUE(UsedEntries(index.Bytes).empty());
    EXPECT_TRUE(WalkRecords(index.Bytes).empty());
}

TEST(FileTimeFromUtc, CountsHundredNanosecondsSince1601)
{
    EXPECT_EQ(FileTimeFromUtc(1601, 1, 1, 0, 0, 0), 0U);
    EXPECT_EQ(FileTimeFromUtc(1970, 1, 1, 0, 0, 0), 116444736000000000ULL);
    EXPECT_EQ(FileTimeFromUtc(2005, 3, 7, 13, 5, 9) - FileTimeFromUtc(2005, 3, 7, 0, 0, 0),
              (13ULL * 3600 + 5 * 60 + 9) * 10000000ULL);
    EXPECT_EQ(FileTimeFromUtc(2004, 3, 1, 0, 0, 0) - FileTimeFromUtc(2004, 2, 28, 0, 0, 0),
              2ULL * 86400 * 10000000ULL); // leap day
}

} // namespace varnok
