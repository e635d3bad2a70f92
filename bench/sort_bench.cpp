// Speed of the column sort on a realistic list: 60,000 records of a generated index,
// read by the scan as the window reads them, sorted by the address column (plain and as
// link markup) and by the visit-time column, as one header click sorts them.
#include <array>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/generatedindex.h"
#include "cacheindex/indexscan.h"
#include "grid/gridsort.h"
#include "grid/resultgrid.h"

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

} // namespace

int main(int argc, char** argv)
{
    // The file is made and read before any timing starts.
    ScannedRows(false);
    ScannedRows(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
