#include <gtest/gtest.h>

#include <set>

#include "support/testsupport.h"
#include "tests/tools/indexfilereader.h"
#include "tools/indexwriter.h"

namespace varnok {

TEST(SampleCache, CommittedFileIsWhatTheWriterMakes)
{
    const std::string committed =
        ReadWholeFile(std::string(VARNOK_SOURCE_DIR) + "/samples/cache/Content.IE5/index.dat");
    const std::vector<std::uint8_t> generated = BuildIndexFile(MakeSamplePlan()).Bytes;
    ASSERT_EQ(committed.size(), generated.size())
        << "regenerate with: mkindex --sample samples/cache/Content.IE5/index.dat";
    EXPECT_TRUE(std::equal(generated.begin(), generated.end(),
                           reinterpret_cast<const std::uint8_t*>(committed.data())));
}

TEST(SampleCache, ReadsLikeASmallRealCache)
{
    const IndexFilePlan plan = MakeSamplePlan();
    const GeneratedIndex index = BuildIndexFile(plan);
    EXPECT_EQ(index.TableOffsets.size(), 2U);
    EXPECT_GE(index.RecordOffsets.size(), 35U);
    EXPECT_LE(index.RecordOffsets.size(), 45U);
    EXPECT_GE(plan.Redirects.size(), 3U);
    EXPECT_LE(plan.Redirects.size(), 5U);
    EXPECT_EQ(WalkRecords(index.Bytes), index.RecordOffsets);

    std::set<std::string> hosts;
    std::set<int> years;
    int longAddresses = 0;
    int textTypes = 0;
    for (const UrlRecordPlan& url : plan.Urls) {
        hosts.insert(url.Address.substr(0, url.Address.find('/', 8)));
        longAddresses += url.Address.size() >= 300 ? 1 : 0;
        textTypes += url.Headers.find("Content-Type: text") != std::string::npos ? 1 : 0;
        for (int year = 2004; year <= 2006; ++year) {
            if (url.LastAccess >= FileTimeFromUtc(year, 1, 1, 0, 0, 0) &&
                url.LastAccess < FileTimeFromUtc(year + 1, 1, 1, 0, 0, 0)) {
                years.insert(year);
            }
        }
    }
    EXPECT_GE(hosts.size(), 6U);
    EXPECT_EQ(longAddresses, 1);
    EXPECT_EQ(years, (std::set<int>{2004, 2005, 2006}));
    EXPECT_GT(textTypes, 5);
    EXPECT_LT(textTypes, static_cast<int>(plan.Urls.size()) - 5);
}

} // namespace varnok
