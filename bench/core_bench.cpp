// Speed of the core on a realistic large index: 40,000 records in nine chained tables
// (about 16 MB). Scan throughput is reported in bytes per second of index file, the
// writers in rows per second.
#include <filesystem>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/generatedindex.h"
#include "cacheindex/indexscan.h"
#include "grid/resultgrid.h"

namespace varnok {

namespace {

constexpr int kRecords = 40000;
constexpr int kTables = 9;

const std::string& LargeIndexPath()
{
    return GeneratedIndexPath(kRecords, 1, kTables);
}

void ScanInto(TResultGrid& grid, ScanMode mode)
{
    ReadIndexList(LargeIndexPath(), mode, false, grid);
}

void BM_ScanOpenCommand(benchmark::State& state)
{
    const auto bytes = std::filesystem::file_size(LargeIndexPath());
    for (auto _ : state) {
        TResultGrid grid;
        ScanInto(grid, ScanMode::OpenCommand);
        benchmark::DoNotOptimize(grid.GetRowCountEx());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ScanOpenCommand)->Unit(benchmark::kMillisecond);

void BM_ScanStartup(benchmark::State& state)
{
    const auto bytes = std::filesystem::file_size(LargeIndexPath());
    for (auto _ : state) {
        TResultGrid grid;
        ScanInto(grid, ScanMode::Startup);
        benchmark::DoNotOptimize(grid.GetRowCountEx());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ScanStartup)->Unit(benchmark::kMillisecond);

template <typename Write> void RunWriter(benchmark::State& state, Write write)
{
    TResultGrid grid;
    ScanInto(grid, ScanMode::OpenCommand);
    grid.CSVSeparator = ';';
    for (auto _ : state) {
        std::ostringstream out;
        write(grid, out);
        benchmark::DoNotOptimize(out.tellp());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * grid.GetRowCountEx()));
}

void BM_SaveToASCII(benchmark::State& state)
{
    RunWriter(state, [](TResultGrid& grid, std::ostream& out) {
        benchmark::DoNotOptimize(grid.SaveToASCII(out));
    });
}
BENCHMARK(BM_SaveToASCII)->Unit(benchmark::kMillisecond);

void BM_SaveToCSV(benchmark::State& state)
{
    RunWriter(state, [](TResultGrid& grid, std::ostream& out) {
        benchmark::DoNotOptimize(grid.SaveToCSV(out));
    });
}
BENCHMARK(BM_SaveToCSV)->Unit(benchmark::kMillisecond);

void BM_SaveToHTML(benchmark::State& state)
{
    RunWriter(state, [](TResultGrid& grid, std::ostream& out) {
        benchmark::DoNotOptimize(grid.SaveToHTML(out));
    });
}
BENCHMARK(BM_SaveToHTML)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace varnok

using namespace varnok;

int main(int argc, char** argv)
{
    // The file is made before any timing starts, so no benchmark pays for it.
    LargeIndexPath();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
