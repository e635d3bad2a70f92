// Speed of the core on a realistic large index: 40,000 records in nine chained tables
// (about 16 MB). Scan throughput is reported in bytes per second of index file, the
// writers in rows per second.
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "cacheindex/indexscan.h"
#include "cacheindex/scanview.h"
#include "grid/resultgrid.h"
#include "tools/indexwriter.h"

namespace {

constexpr int kRecords = 40000;
constexpr int kTables = 9;

// The generated file lives for the whole run; it is written once.
const std::string& LargeIndexPath()
{
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() / "varnok-bench-40000.dat";
        IndexFilePlan plan = MakeRealisticPlan(kRecords, 1);
        plan.TableCount = kTables;
        if (!WriteFileBytes(file.string(), BuildIndexFile(plan).Bytes))
            std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return file.string();
    }();
    return path;
}

void ScanInto(TResultGrid& grid, ScanMode mode)
{
    RecordingScanView view;
    ScanIndexFile(LargeIndexPath(), mode, ScanOptions{}, grid, view);
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
