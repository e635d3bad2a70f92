// Damaged, hostile and failing index files: every read ends, lists each record at most
// once, keeps what it has read and never changes the file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <new>
#include <set>

#include "cacheindex/indexscanner.h"
#include "grid/indexlisting.h"
#include "scanfixture.h"

namespace varnok {

namespace {

const std::string kErrorStart = "Can't perform one of the following file";
const std::string kSpaces21(21, ' ');

// Three chained tables with two records each.
struct ChainedIndex {
    IndexFilePlan Plan;
    GeneratedIndex Index;
    std::vector<std::string> AllAddresses;
};

ChainedIndex MakeChainedIndex()
{
    ChainedIndex chained;
    chained.Plan.TableCount = 3;
    for (int i = 0; i < 6; ++i) {
        chained.AllAddresses.push_back("http://host" + std::to_string(i) + ".example/");
        chained.Plan.Urls.push_back(Url(chained.AllAddresses.back()));
    }
    chained.Index = BuildIndexFile(chained.Plan);
    return chained;
}

// A well-formed chain lists every record. A next-table offset that does not lead forward,
// or leads out of the file, ends the chain with the current table, whose region then runs
// to the end: each record is still listed once.
TEST(TableChain, ChainsThatDoNotLeadForwardEndAfterTheCurrentTable)
{
    const ChainedIndex chained = MakeChainedIndex();
    const auto& tables = chained.Index.TableOffsets;
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(Addresses(ScanBytes(chained.Index.Bytes, ScanMode::OpenCommand)),
              chained.AllAddresses);
    const auto size = static_cast<std::uint32_t>(chained.Index.Bytes.size());
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> damages = {
        {tables[2], tables[0]},   // the last table loops back to the first
        {tables[1], tables[0]},   // a table points backwards
        {tables[0], tables[0]},   // a table points at itself
        {tables[0], size},        // at the end of the file
        {tables[0], size + 4096}, // past the end
        {tables[0], 0x9000'0000}, // beyond any signed 32-bit offset
        {tables[0], 0xFFFF'FFFF},
    };
    for (const auto& [table, next] : damages) {
        SCOPED_TRACE("table " + std::to_string(table) + " next " + std::to_string(next));
        const auto bytes = WithNextTableOffset(chained.Index.Bytes, table, next);
        for (ScanMode mode : {ScanMode::OpenCommand, ScanMode::Startup})
            EXPECT_EQ(Addresses(ScanBytes(bytes, mode)), chained.AllAddresses);
    }
}

TEST(TableChain, ForwardOffsetIntoTheMiddleOfARegionStillEnds)
{
    const ChainedIndex chained = MakeChainedIndex();
    const auto& tables = chained.Index.TableOffsets;
    for (std::uint32_t next :
         {tables[0] + 128, tables[0] + 4096, tables[1] + 128, tables[2] - 128}) {
        const auto bytes = WithNextTableOffset(chained.Index.Bytes, tables[0], next);
        const auto listed = Addresses(ScanBytes(bytes, ScanMode::OpenCommand));
        const std::set<std::string> distinct(listed.begin(), listed.end());
        EXPECT_EQ(distinct.size(), listed.size()) << "a record was listed twice, next " << next;
        EXPECT_LE(listed.size(), chained.AllAddresses.size());
    }
}

TEST(TableChain, TableInTheLastFourBytesEndsTheWalk)
{
    const ChainedIndex chained = MakeChainedIndex();
    const std::size_t size = chained.Index.Bytes.size();
    const auto bytes = WithBytesAt(chained.Index.Bytes, size - 4, "HASH");
    ASSERT_EQ(bytes.size(), size);
    EXPECT_EQ(Addresses(ScanBytes(bytes, ScanMode::OpenCommand)), chained.AllAddresses);
    // A lone table at the end of an otherwise empty file.
    std::vector<std::uint8_t> lone(0x8000, 0);
    lone = WithBytesAt(lone, 0x8000 - 4, "HASH");
    EXPECT_TRUE(ScanBytes(lone, ScanMode::OpenCommand).Rows.empty());
}

TEST(TableChain, TablesEveryFewBlocksPointingAtEachOther)
{
    // Many tables, each pointing at the one before: a chain that would never end if
    // followed; the first table's region takes in the whole file instead.
    std::vector<std::uint8_t> bytes(0x20000, 0);
    for (std::uint32_t at = 0x4000; at + 16 < bytes.size(); at += 0x1000) {
        bytes = WithBytesAt(bytes, at, "HASH");
        bytes = WithUint32At(bytes, at + 8, at == 0x4000 ? 0x5000 : at - 0x1000);
    }
    const ScanOutcome out = ScanBytes(bytes, ScanMode::OpenCommand);
    EXPECT_TRUE(out.Rows.empty());
    EXPECT_EQ(out.View.FinishCount, 1);
}

TEST(DamagedRecords, GarbageBlocksNeverBreakTheNumbering)
{
    const GeneratedIndex index = BuildIndexFile(MakeRealisticPlan(60, 3));
    for (unsigned seed = 1; seed <= 40; ++seed) {
        const auto bytes = WithGarbageBlocks(index.Bytes, index.RecordOffsets[5 + seed % 20],
                                             static_cast<int>(seed % 7 + 1), seed);
        for (ScanMode mode : {ScanMode::OpenCommand, ScanMode::Startup}) {
            const ScanOutcome out = ScanBytes(bytes, mode);
            for (std::size_t i = 0; i < out.Rows.size(); ++i)
                ASSERT_EQ(out.Rows[i][0], std::to_string(i + 1));
            EXPECT_EQ(out.View.LineCountText, std::to_string(out.Rows.size()));
            EXPECT_LE(out.Rows.size(), index.RecordOffsets.size() + 8);
        }
    }
}

// Every length the file could have been cut to: the read ends, numbers stay in order and
// every record that lies wholly before the cut is listed exactly as in the whole file.
TEST(DamagedRecords, EveryTruncationKeepsTheRowsBeforeTheCut)
{
    IndexFilePlan plan;
    plan.FirstTableOffset = 0x4000;
    plan.RecordsStart = 0x5000;
    plan.Urls = {Url("http://a.example/index.html"),
                 Url("http://b.example/" + std::string(150, 'b')),
                 Url("http://c.example/c.css", "text/css")};
    plan.Redirects = {{"http://r.example/", false, 1}};
    plan.Order = {0, ~0, 1, 2};
    const GeneratedIndex index = BuildIndexFile(plan);
    std::vector<std::size_t> recordEnds; // first byte after the address's NUL
    for (std::size_t i = 0; i < plan.Order.size(); ++i) {
        const int value = plan.Order[i];
        recordEnds.push_back(
            index.RecordOffsets[i] +
            (value >= 0 ? 104 + std::min<std::size_t>(
                                    plan.Urls[static_cast<std::size_t>(value)].Address.size(), 128)
                        : 16 + plan.Redirects[static_cast<std::size_t>(~value)].Address.size()) +
            1);
    }

    TBaseGrid fullGrid;
    RecordingScanView fullView;
    ScanMemory(index.Bytes, ScanMode::OpenCommand, fullGrid, fullView);
    const std::vector<ListRow> full = DataRows(fullGrid);
    ASSERT_EQ(full.size(), 4u);

    for (std::size_t length = 0; length <= index.Bytes.size(); ++length) {
        TBaseGrid grid;
        RecordingScanView view;
        ScanMemory(Truncated(index.Bytes, length), ScanMode::OpenCommand, grid, view);
        const std::vector<ListRow> rows = DataRows(grid);
        const auto whole = static_cast<std::size_t>(
            std::count_if(recordEnds.begin(), recordEnds.end(),
                          [&](std::size_t end) { return end + 4 <= length; }));
        ASSERT_LE(rows.size(), full.size()) << "length " << length;
        ASSERT_GE(rows.size(), whole) << "length " << length;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i < whole) {
                ASSERT_EQ(rows[i], full[i]) << "length " << length;
            } else {
                ASSERT_EQ(rows[i][0], full[i][0]) << "length " << length;
                ASSERT_EQ(full[i][1].rfind(rows[i][1], 0), 0u) << "length " << length;
            }
        }
        ASSERT_EQ(view.LineCountText, std::to_string(rows.size()));
    }
}

std::size_t Fingerprint(const std::string& path)
{
    return std::hash<std::string>{}(ReadWholeFile(path));
}

TEST(Evidence, ReadsNeverChangeTheIndexFile)
{
    TempDir dir;
    const std::string path = dir.File("index.dat");
    WriteWholeFile(path, BuildIndexFile(MakeSamplePlan()).Bytes);
    // An access time older than the modification time is one that a read would normally
    // bring up to date.
    const timespec times[2] = {{1'000'000'000, 0}, {1'100'000'000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    const std::size_t before = Fingerprint(path);
    struct stat statBefore {};
    ASSERT_EQ(::stat(path.c_str(), &statBefore), 0);

    TBaseGrid grid;
    RecordingScanView view;
    ScanIndexFile(path, ScanMode::OpenCommand, ScanOptions{2, false, true}, grid, view);
    ReadIndexAtStartup(dir.Path().string() + "/", ScanOptions{}, grid, view);

    struct stat statAfter {};
    ASSERT_EQ(::stat(path.c_str(), &statAfter), 0);
    EXPECT_EQ(statAfter.st_mtim.tv_sec, statBefore.st_mtim.tv_sec);
    EXPECT_EQ(statAfter.st_mtim.tv_nsec, statBefore.st_mtim.tv_nsec);
    EXPECT_EQ(statAfter.st_size, statBefore.st_size);
    EXPECT_EQ(statAfter.st_mode, statBefore.st_mode);
    if (::geteuid() == 0 || ::geteuid() == statBefore.st_uid) {
        EXPECT_EQ(statAfter.st_atim.tv_sec, statBefore.st_atim.tv_sec);
    }
    // The check reads the file too, after the scans.
    EXPECT_EQ(Fingerprint(path), before);
}

TEST(Evidence, FoldersAndPipesAreNotReadAsIndexFiles)
{
    TempDir dir;
    const std::string fifo = dir.File("index.dat");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, dir.Path().string()}) {
        TBaseGrid grid;
        RecordingScanView view;
        ScanIndexFile(path, ScanMode::OpenCommand, ScanOptions{}, grid, view);
        EXPECT_EQ(view.LineCountText, "0");
        EXPECT_EQ(view.ErrorCount, 0);
    }
}

// Runs a read on bytes that fail to read from `failFrom` on.
struct FailedRead {
    TBaseGrid Grid;
    RecordingScanView View;
};

void ReadFailing(FailedRead& read, ScanMode mode, const std::vector<std::uint8_t>& bytes,
                 std::int64_t failFrom, std::int64_t failTo)
{
    MemoryByteSource source(bytes, failFrom, failTo);
    ScanIndexFile("index.dat", source, mode, ScanOptions{}, read.Grid, read.View);
}

TEST(ReadFailures, FailedWalkKeepsTheRowsListedSoFar)
{
    IndexFilePlan plan;
    plan.TableCount = 1;
    std::vector<std::string> addresses;
    for (int i = 0; i < 600; ++i) {
        addresses.push_back("http://host" + std::to_string(i) + ".example/");
        plan.Urls.push_back(Url(addresses.back()));
    }
    const GeneratedIndex index = BuildIndexFile(plan);
    // Every read that starts at or after the 400th record fails.
    const std::int64_t bad = index.RecordOffsets[400];
    const std::int64_t end = static_cast<std::int64_t>(index.Bytes.size());

    for (ScanMode mode : {ScanMode::OpenCommand, ScanMode::Startup}) {
        FailedRead read;
        ReadFailing(read, mode, index.Bytes, bad, end);
        const std::vector<ListRow> rows = DataRows(read.Grid);
        ASSERT_GT(rows.size(), 0u);
        ASSERT_LT(rows.size(), addresses.size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            ASSERT_EQ(rows[i][1], addresses[i]);
        EXPECT_EQ(read.View.LineCountText, std::to_string(rows.size()));
        EXPECT_EQ(read.View.ErrorCount, 1);
        EXPECT_EQ(read.View.LastErrorText,
                  kErrorStart + (mode == ScanMode::OpenCommand ? kSpaces21 : "\t\t\t ") +
                      "operations: Open, Seek, Read, Close.");
        EXPECT_EQ(read.View.LastErrorCaption, "File Error");
        EXPECT_EQ(read.View.StatusText, "");
        EXPECT_EQ(read.View.FinishCount, 1);
    }
}

// A failed probe still walks the blocks up to the region end known so far; before any
// table is known that is the end of the file.
TEST(ReadFailures, FailedFirstProbeWalksToTheEndOfTheFile)
{
    IndexFilePlan plan;
    plan.Urls = {Url("http://a.example/"), Url("http://b.example/")};
    const GeneratedIndex index = BuildIndexFile(plan);
    ASSERT_EQ(index.TableOffsets[0], 0x5000u);

    FailedRead read;
    ReadFailing(read, ScanMode::OpenCommand, index.Bytes, 0x4000, 0x4001);
    EXPECT_EQ(read.View.ErrorCount, 1);
    EXPECT_EQ(read.View.LastErrorText, kErrorStart + kSpaces21 + "operations: Seek, Read.");
    EXPECT_EQ(DataRows(read.Grid).size(), 2u);
}

TEST(ReadFailures, TableThatCannotBeReadEndsTheChain)
{
    const ChainedIndex chained = MakeChainedIndex();
    const std::int64_t table = chained.Index.TableOffsets[1];
    FailedRead read;
    ReadFailing(read, ScanMode::Startup, chained.Index.Bytes, table, table + 1);
    EXPECT_EQ(read.View.ErrorCount, 1);
    EXPECT_EQ(read.View.LastErrorText, kErrorStart + "\t\t\t operations: Seek, Read.");
    // The first region, then the one block that a region walk always examines.
    const std::vector<ListRow> rows = DataRows(read.Grid);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2][1], chained.AllAddresses[2]);
}

class ThrowingSizeView : public RecordingScanView {
public:
    void SetIndexSizeText(const std::string&) override { throw std::runtime_error("no size"); }
};

TEST(ReadFailures, StartupOpeningFailureIsReportedAndTheReadFinishes)
{
    TempDir dir;
    WriteWholeFile(dir.File("index.dat"), BuildIndexFile(MakeSamplePlan()).Bytes);
    TBaseGrid grid;
    ThrowingSizeView view;
    ReadIndexAtStartup(dir.Path().string() + "/", ScanOptions{}, grid, view);
    EXPECT_EQ(view.ErrorCount, 1);
    EXPECT_EQ(view.LastErrorText, kErrorStart + "\t\t\t operations: Open, Seek.");
    EXPECT_EQ(view.LastErrorCaption, "File Error");
    EXPECT_EQ(view.LineCountText, "0");
    EXPECT_EQ(view.FinishCount, 1);
    // The open command leaves failures outside its guarded stretches to the command itself.
    TBaseGrid openGrid;
    ThrowingSizeView openView;
    EXPECT_THROW(ScanIndexFile(dir.File("index.dat"), ScanMode::OpenCommand, ScanOptions{},
                               openGrid, openView),
                 std::runtime_error);
}

// A source that cannot even tell its size: the start-up read reports the opening stretch and
// finishes with an empty list.
class SizeFailingSource final : public ByteSource {
public:
    [[nodiscard]] std::int64_t End() const override
    {
        throw FileReadError("read failed: Input/output error");
    }
    [[nodiscard]] std::span<const std::uint8_t> View(std::int64_t, std::size_t) override
    {
        return {};
    }
};

// Memory that runs out while the records are walked (the walk looks at long stretches, the
// table probes at a few bytes).
class OutOfMemorySource final : public MemoryByteSource {
public:
    using MemoryByteSource::MemoryByteSource;
    [[nodiscard]] std::span<const std::uint8_t> View(std::int64_t offset,
                                                     std::size_t count) override
    {
        if (count > 64)
            throw std::bad_alloc();
        return MemoryByteSource::View(offset, count);
    }
};

// Only a failure of the file is reported as one: memory running out during the walk is no
// "File Error" and goes to the caller; a source whose size fails is asked only once.
TEST(ReadFailures, OnlyFailuresOfTheFileAreReportedAsFileErrors)
{
    TBaseGrid grid;
    RecordingScanView view;
    SizeFailingSource sizeFailing;
    EXPECT_NO_THROW(
        ScanIndexFile("index.dat", sizeFailing, ScanMode::Startup, ScanOptions{}, grid, view));
    EXPECT_EQ(view.ErrorCount, 1);
    EXPECT_EQ(view.LastErrorText, kErrorStart + "\t\t\t operations: Open, Seek.");
    EXPECT_EQ(view.LineCountText, "0");

    for (const ScanMode mode : {ScanMode::Startup, ScanMode::OpenCommand}) {
        TBaseGrid walked;
        RecordingScanView walkView;
        OutOfMemorySource source(BuildIndexFile(MakeSamplePlan()).Bytes);
        EXPECT_THROW(ScanIndexFile("index.dat", source, mode, ScanOptions{}, walked, walkView),
                     std::bad_alloc);
        EXPECT_EQ(walkView.ErrorCount, 0);
    }
}

// The format's offsets are signed 32-bit numbers: a larger file is read up to the last
// position they can name, and nothing after it is examined.
TEST(LargeFiles, OnlyTheFirstTwoGigabytesAreRead)
{
    IndexFilePlan plan;
    plan.Urls = {Url("http://inside.example/")};
    const GeneratedIndex small = BuildIndexFile(plan);
    const std::string record(small.Bytes.begin() + small.RecordOffsets[0],
                             small.Bytes.begin() + small.RecordOffsets[0] + 256);
    // The first table is found by probing just below 2 GB; its region holds one record.
    // The second table's region begins exactly at 2 GB, where its first block, which a
    // region walk always examines, lies past the readable part.
    SparseByteSource source(0x8000'0000LL + 0x10000);
    source.Patch(0x7FFF'D000, std::string("HASH\0\0\0\0\0\xF0\xFF\x7F", 12));
    source.Patch(0x7FFF'E000, record);
    source.Patch(0x7FFF'F000, "HASH");
    source.Patch(0x8000'0000, record);
    source.Patch(0x7FFF'FFFB, "HASH"); // where the last four readable bytes begin
    TBaseGrid grid;
    RecordingScanView view;
    ScanIndexFile("index.dat", source, ScanMode::OpenCommand, ScanOptions{}, grid, view);
    ASSERT_EQ(DataRows(grid).size(), 1u);
    EXPECT_EQ(grid.GetCellEx(1, 1), "http://inside.example/");
}

// The same through a real (sparse) file, where the size label shows the whole file.
TEST(LargeFiles, SizeLabelShowsTheWholeFile)
{
    TempDir dir;
    const std::string path = dir.File("index.dat");
    const std::int64_t size = 0x1'0000'0000LL + 2048;
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
    EXPECT_EQ(IndexSizeText(path), "4194306 KB");
}

} // namespace

} // namespace varnok
