// Speed of the column sort on a realistic list: 60,000 records of a generated index,
// read by the scan as the window reads them, sorted by the address column (plain and as
// link markup) and by the visit-time column, as one header click sorts them. And 300,000
// addresses in an order crafted against the quick sort's middle pivot, beside the same
// addresses shuffled.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/generatedindex.h"
#include "cacheindex/indexscan.h"
#include "grid/resultgrid.h"
#include "grid/table/gridsort.h"
#include "tools/sortadversary.h"

namespace varnok {

namespace {

constexpr int kRecords = 60000;
constexpr int kTables = 13;

using Row = std::array<std::string, 3>;

// The rows as the scan lists them, in file order, read once per cell format.
const std::vector<Row>& ScannedRows(bool anchors)
{
    static std::vector<Row> lists[2];
    std::vector<Row>& rows = lists[anchors ? 1 : 0];
    if (rows.empty()) {
        TResultGrid grid;
        ReadIndexList(GeneratedIndexPath(kRecords, 7, kTables), ScanMode::OpenCommand, anchors,
                      grid);
        for (int row = 0; row < grid.GetRowCountEx(); ++row)
            rows.push_back({std::string(grid.GetCellEx(0, row)),
                            std::string(grid.GetCellEx(1, row)),
                            std::string(grid.GetCellEx(2, row))});
    }
    return rows;
}

void Fill(TResultGrid& grid, const std::vector<Row>& rows)
{
    grid.Clear(); // the texts of the last run are dropped, not kept beside the new ones
    grid.SetRowCountEx(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        for (int col = 0; col < 3; ++col)
            grid.SetCellEx(col, row,
                           rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]);
    }
    grid.SetFixedRowsEx(1);
    grid.SetSortSettings(TSortSettings{});
    grid.SetCurrentCell(grid.Col(), static_cast<int>(rows.size()) / 2);
}

// Arguments: the column clicked, and 1 for addresses as link markup.
void BM_SortByHeaderClick(benchmark::State& state)
{
    const int column = static_cast<int>(state.range(0));
    const std::vector<Row>& rows = ScannedRows(state.range(1) != 0);
    TResultGrid grid;
    for (auto _ : state) {
        state.PauseTiming();
        Fill(grid, rows);
        state.ResumeTiming();
        GridSorter(grid).ClickHeader(column);
        benchmark::DoNotOptimize(grid.GetCellEx(column, 1).data());
    }
    state.counters["rows"] = static_cast<double>(rows.size() - 1);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * (rows.size() - 1)));
}
BENCHMARK(BM_SortByHeaderClick)
    ->ArgNames({"column", "anchors"})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({2, 0})
    ->Unit(benchmark::kMillisecond);

// Captions, then `count` addresses whose order is that of their ranks: McIlroy's adversary
// order against the middle pivot, or the same shuffled. Run to the end, the adversary is
// itself the quadratic sort and takes minutes for 300,000 items, so for the large list it
// runs as deep as the sort partitions before it turns to heap sort; going deeper would only
// decide the order inside the heap-sorted ranges. The smaller list has the whole adversary.
const std::vector<Row>& CraftedRows(int count, bool whole, bool shuffled)
{
    static std::map<std::array<int, 3>, std::vector<Row>> lists;
    std::vector<Row>& rows = lists[{count, whole ? 1 : 0, shuffled ? 1 : 0}];
    if (rows.empty()) {
        const int halvings = static_cast<int>(std::bit_width(static_cast<unsigned>(count))) - 1;
        std::vector<int> ranks = QuickSortAdversaryRanks(count, whole ? -1 : 2 * halvings + 8);
        if (shuffled)
            std::shuffle(ranks.begin(), ranks.end(), std::mt19937(1999));
        rows.push_back({"No.", "URL   ", "Latest visit"});
        for (std::size_t i = 0; i < ranks.size(); ++i) {
            char address[48];
            std::snprintf(address, sizeof address, "http://www.example.com/page%06d.htm", ranks[i]);
            rows.push_back({std::to_string(i + 1), address, "05/06/2004 10:11:12"});
        }
    }
    return rows;
}

// Arguments: the number of rows, 1 for the whole adversary, 1 for the shuffled order.
void BM_SortCraftedOrder(benchmark::State& state)
{
    const std::vector<Row>& rows =
        CraftedRows(static_cast<int>(state.range(0)), state.range(1) != 0, state.range(2) != 0);
    TResultGrid grid;
    for (auto _ : state) {
        state.PauseTiming();
        Fill(grid, rows);
        state.ResumeTiming();
        GridSorter(grid).ClickHeader(1);
        benchmark::DoNotOptimize(grid.GetCellEx(1, 1).data());
    }
    state.counters["rows"] = static_cast<double>(rows.size() - 1);
}
BENCHMARK(BM_SortCraftedOrder)
    ->ArgNames({"rows", "whole", "shuffled"})
    ->Args({300000, 0, 0})
    ->Args({300000, 0, 1})
    ->Args({40000, 1, 0})
    ->Args({40000, 1, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace

} // namespace varnok

using namespace varnok;

int main(int argc, char** argv)
{
    // The file is made and read before any timing starts.
    ScannedRows(false);
    ScannedRows(true);
    for (const bool shuffled : {false, true}) {
        CraftedRows(300000, false, shuffled);
        CraftedRows(40000, true, shuffled);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
