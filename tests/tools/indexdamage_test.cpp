#include <gtest/gtest.h>

#include "support/testsupport.h"
#include "tests/tools/indexfilereader.h"
#include "tools/indexwriter.h"

namespace varnok {

namespace {

GeneratedIndex threeTables()
{
    IndexFilePlan plan = MakeRealisticPlan(90, 3);
    plan.TableCount = 3;
    return BuildIndexFile(plan);
}

} // namespace

TEST(IndexDamage, TruncatedCutsButNeverGrows)
{
    const GeneratedIndex index = threeTables();
    EXPECT_EQ(Truncated(index.Bytes, 0x4003).size(), 0x4003U);
    const auto cut = Truncated(index.Bytes, index.RecordOffsets[5] + 50);
    EXPECT_TRUE(std::equal(cut.begin(), cut.end(), index.Bytes.begin()));
    EXPECT_EQ(Truncated(index.Bytes, index.Bytes.size() + 100), index.Bytes);
    EXPECT_TRUE(Truncated(index.Bytes, 0).empty());
}

TEST(IndexDamage, NextTableOffsetsMakeLoopsAndOutOfRangeChains)
{
    const GeneratedIndex index = threeTables();
    const std::uint32_t last = index.TableOffsets.back();
    const auto looping = WithNextTableOffset(index.Bytes, last, index.TableOffsets.front());
    EXPECT_EQ(Le32(looping, last + 8), index.TableOffsets.front());
    EXPECT_EQ(TableChain(looping).size(), 1000U); // a reader that trusts the chain never ends
    // The block walk of a viewer stops at the backwards link and lists nothing twice.
    EXPECT_EQ(WalkRecords(looping), index.RecordOffsets);

    const auto beyond = WithNextTableOffset(index.Bytes, index.TableOffsets[1], 0xFFFFFF00);
    EXPECT_EQ(Le32(beyond, index.TableOffsets[1] + 8), 0xFFFFFF00U);
    EXPECT_EQ(beyond.size(), index.Bytes.size());
    EXPECT_EQ(TableChain(beyond).size(), 2U);
}

TEST(IndexDamage, RawPatchesOverwriteAndGrow)
{
    const GeneratedIndex index = threeTables();
    const std::uint32_t record = index.UrlOffsets[0];
    const auto lower = WithBytesAt(index.Bytes, record, "url ");
    EXPECT_EQ(SignatureAt(lower, record), "url ");
    EXPECT_EQ(lower.size(), index.Bytes.size());
    EXPECT_TRUE(
        std::equal(lower.begin() + record + 4, lower.end(), index.Bytes.begin() + record + 4));

    const auto grown = WithBytesAt(index.Bytes, index.Bytes.size() + 10, "HASH");
    EXPECT_EQ(grown.size(), index.Bytes.size() + 14);
    EXPECT_EQ(SignatureAt(grown, index.Bytes.size() + 10), "HASH");
    EXPECT_EQ(grown[index.Bytes.size()], 0);

    const auto oneBlock = WithUint32At(index.Bytes, record + 4, 1);
    EXPECT_EQ(Le32(oneBlock, record + 4), 1U);
}

TEST(IndexDamage, GarbageBlocksAreReproducibleAndConfined)
{
    const GeneratedIndex index = threeTables();
    const std::size_t from = index.RecordOffsets[2];
    const auto a = WithGarbageBlocks(index.Bytes, from, 3, 9);
    EXPECT_EQ(a, WithGarbageBlocks(index.Bytes, from, 3, 9));
    EXPECT_NE(a, WithGarbageBlocks(index.Bytes, from, 3, 10));
    EXPECT_TRUE(
        std::equal(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(from), index.Bytes.begin()));
    EXPECT_TRUE(std::equal(a.begin() + static_cast<std::ptrdiff_t>(from + 384), a.end(),
                           index.Bytes.begin() + static_cast<std::ptrdiff_t>(from + 384)));
    EXPECT_NE(SignatureAt(a, from), SignatureAt(index.Bytes, from));
}

TEST(IndexDamage, HeaderCanClaimAHugeSizeWithoutChangingTheFile)
{
    const GeneratedIndex index = threeTables();
    const auto claimed = WithHeaderFileSize(index.Bytes, 0x7FFFF000);
    EXPECT_EQ(Le32(claimed, 0x1C), 0x7FFFF000U);
    EXPECT_EQ(claimed.size(), index.Bytes.size());
    EXPECT_EQ(WalkRecords(claimed), index.RecordOffsets);
}

TEST(IndexDamage, WriteFileBytesWritesExactlyAndReportsFailure)
{
    TempDir folder;
    const GeneratedIndex index = threeTables();
    ASSERT_TRUE(WriteFileBytes(folder.File("index.dat"), index.Bytes));
    const std::string written = ReadWholeFile(folder.File("index.dat"));
    EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), index.Bytes);
    EXPECT_FALSE(WriteFileBytes(folder.File("missing/index.dat"), index.Bytes));
}

} // namespace varnok
