#include <gtest/gtest.h>

#include <set>

#include "tests/tools/indexfilereader.h"
#include "tools/indexwriter.h"

namespace varnok {

TEST(RealisticPlan, SameSeedSameFileOtherSeedOtherFile)
{
    const auto first = BuildIndexFile(MakeRealisticPlan(500, 7)).Bytes;
    EXPECT_EQ(first, BuildIndexFile(MakeRealisticPlan(500, 7)).Bytes);
    EXPECT_NE(first, BuildIndexFile(MakeRealisticPlan(500, 8)).Bytes);
}

TEST(RealisticPlan, VariedRecordsOfTheRequestedCount)
{
    const IndexFilePlan plan = MakeRealisticPlan(3000, 1);
    ASSERT_EQ(plan.Urls.size() + plan.Redirects.size(), 3000U);
    EXPECT_EQ(plan.Order.size(), 3000U);
    EXPECT_GT(plan.Redirects.size(), 100U);
    EXPECT_EQ(plan.TableCount, 7); // one table per 480 records, as a browser fills them

    std::set<std::string> hosts;
    std::size_t textTypes = 0;
    std::size_t longAddresses = 0;
    const std::uint64_t from = FileTimeFromUtc(2004, 1, 1, 0, 0, 0);
    const std::uint64_t to = FileTimeFromUtc(2007, 1, 1, 0, 0, 0);
    for (const UrlRecordPlan& url : plan.Urls) {
        ASSERT_EQ(url.Address.rfind("http", 0), 0U) << url.Address;
        hosts.insert(url.Address.substr(0, url.Address.find('/', 8)));
        textTypes += url.Headers.find("Content-Type: text") != std::string::npos ? 1 : 0;
        longAddresses += url.Address.size() >= 300 ? 1 : 0;
        EXPECT_GE(url.LastAccess, from);
        EXPECT_LT(url.LastAccess, to);
        EXPECT_LE(url.LastModified, url.LastAccess);
    }
    EXPECT_GT(hosts.size(), 10U);
    EXPECT_GT(textTypes, plan.Urls.size() / 5);
    EXPECT_LT(textTypes, plan.Urls.size() / 2);
    EXPECT_GE(longAddresses, 1U);
}

TEST(RealisticPlan, RedirectsStandBeforeTheAddressTheyLeadTo)
{
    const IndexFilePlan plan = MakeRealisticPlan(400, 2);
    for (std::size_t i = 0; i < plan.Order.size(); ++i) {
        if (plan.Order[i] >= 0) {
            continue;
        }
        ASSERT_LT(i + 1, plan.Order.size());
        ASSERT_GE(plan.Order[i + 1], 0);
        const std::string& redirect =
            plan.Redirects[static_cast<std::size_t>(~plan.Order[i])].Address;
        EXPECT_EQ(plan.Urls[static_cast<std::size_t>(plan.Order[i + 1])].Address, redirect + "/");
    }
}

TEST(RealisticPlan, BenchmarkFileFitsTheAllocationBitmap)
{
    IndexFilePlan plan = MakeRealisticPlan(40000, 1);
    plan.TableCount = 9;
    const GeneratedIndex index = BuildIndexFile(plan);
    EXPECT_EQ(index.TableOffsets.size(), 9U);
    EXPECT_GT(index.Bytes.size(), 15000000U);
    EXPECT_LE(index.Bytes.size(),
              kIndexHeaderSize + std::size_t{kIndexBitmapBlocks} * kIndexBlockSize);
    EXPECT_EQ(UsedEntries(index.Bytes).size(), 40000U);
    EXPECT_EQ(WalkRecords(index.Bytes), index.RecordOffsets);
}

TEST(RealisticPlan, LayoutVariantsChangeSomeRecordsOnly)
{
    IndexFilePlan plan = MakeRealisticPlan(200, 4);
    AddLayoutVariants(plan);
    EXPECT_FALSE(plan.Urls[3].AddressAt96);
    EXPECT_TRUE(plan.Urls[4].AddressAt96);
    EXPECT_FALSE(plan.Redirects[0].AddressAt24);
    EXPECT_TRUE(plan.Redirects[1].AddressAt24);
    EXPECT_EQ(plan.Redirects[2].Blocks, 2);
    const GeneratedIndex index = BuildIndexFile(plan);
    EXPECT_EQ(ViewerAddress(index.Bytes, index.UrlOffsets[4]), plan.Urls[4].Address);
    EXPECT_EQ(ViewerAddress(index.Bytes, index.RedirectOffsets[1]), plan.Redirects[1].Address);
}

} // namespace varnok
