// Speed of the grid search on a realistic large list: 60,000 cache records read from a
// generated index (addresses as the browser stores them, visit times as the list shows
// them), searched from the first cell to the last without a hit, and condition patterns
// with many asterisks against a long address.
#include <string>

#include <benchmark/benchmark.h>

#include "bench/generatedindex.h"
#include "cacheindex/indexscan.h"
#include "grid/resultgrid.h"
#include "grid/search/matchcondition.h"

namespace {

constexpr int kRecords = 60000;

const std::string& LargeIndexPath()
{
    return GeneratedIndexPath(kRecords, 7, 1);
}

// The list as the open command leaves it, addresses plain or as anchors.
TResultGrid& LargeList(bool anchors)
{
    static TResultGrid lists[2];
    TResultGrid& grid = lists[anchors ? 1 : 0];
    if (grid.GetRowCountEx() < 3)
        ReadIndexList(LargeIndexPath(), ScanMode::OpenCommand, anchors, grid);
    return grid;
}

// FindNext after a miss starts at the first cell again, so every call scans the whole list.
void FindNextWithoutHit(benchmark::State& state, const char* text, TFindParameters options,
                        bool anchors)
{
    TResultGrid& grid = LargeList(anchors);
    if (grid.FindFirst(text, options) != GridCell{}) {
        state.SkipWithError("the text occurs in the list");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(grid.FindNext());
    state.counters["rows"] = grid.GetRowCountEx() - 1;
    state.SetItemsProcessed(state.iterations() * 2 * (grid.GetRowCountEx() - 1));
}

void BM_FindNextPlainText(benchmark::State& state)
{
    FindNextWithoutHit(state, "harbourview.org", {}, false);
}
BENCHMARK(BM_FindNextPlainText)->Unit(benchmark::kMillisecond);

void BM_FindNextPattern(benchmark::State& state)
{
    FindNextWithoutHit(state, "*index*&*.htm", {fnMatchRegular}, false);
}
BENCHMARK(BM_FindNextPattern)->Unit(benchmark::kMillisecond);

void BM_FindNextPatternInAnchors(benchmark::State& state)
{
    FindNextWithoutHit(state, "*index*&*.htm", {fnMatchRegular}, true);
}
BENCHMARK(BM_FindNextPatternInAnchors)->Unit(benchmark::kMillisecond);

// 30 asterisks against a 2,000-character address that almost matches: a backtracking
// matcher would try the endings of the text for each asterisk in turn.
void ManyAsterisks(benchmark::State& state, const std::string& prefix, const std::string& last)
{
    const std::string address = "http://" + std::string(1993, 'a');
    std::string pattern = prefix;
    for (int i = 0; i < 29; ++i)
        pattern += "*a";
    pattern += "*" + last;
    const MatchCondition condition(pattern, false, ShortDateFormat{});
    for (auto _ : state)
        benchmark::DoNotOptimize(condition.Matches(address));
}

void BM_ThirtyAsterisks(benchmark::State& state)
{
    ManyAsterisks(state, "", "b");
}
BENCHMARK(BM_ThirtyAsterisks)->Unit(benchmark::kMicrosecond);

// "!" rules out the greedy match; the endings are worked through one piece at a time.
void BM_ThirtyAsterisksWithInversion(benchmark::State& state)
{
    ManyAsterisks(state, "!", "b");
}
BENCHMARK(BM_ThirtyAsterisksWithInversion)->Unit(benchmark::kMicrosecond);

// A comparison after the last asterisk is tested against every ending of the text.
void BM_ThirtyAsterisksWithComparison(benchmark::State& state)
{
    ManyAsterisks(state, "", "<0");
}
BENCHMARK(BM_ThirtyAsterisksWithComparison)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    LargeIndexPath();
    LargeList(false);
    LargeList(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
