// Speed of the grid search on a realistic large list: 60,000 cache records read from a
// generated index (addresses as the browser stores them, visit times as the list shows
// them), searched from the first cell to the last without a hit, condition patterns with
// many asterisks against a long address, and conditions as long as the search takes
// matched against every address of the list, as the address filter and Find match them.
#include <string>

#include <benchmark/benchmark.h>

#include "bench/generatedindex.h"
#include "cacheindex/indexscan.h"
#include "grid/resultgrid.h"
#include "grid/search/matchcondition.h"

namespace varnok {

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

// A condition of the longest length taken, matched against every address of the list
// (plain, or as anchors).
void LongCondition(benchmark::State& state, const std::string& condition)
{
    if (condition.size() > kLongestCondition) {
        state.SkipWithError("the condition would be refused");
        return;
    }
    const TResultGrid& grid = LargeList(state.range(0) != 0);
    const MatchCondition matcher(condition, false, ShortDateFormat{});
    int matched = 0;
    for (auto _ : state) {
        matched = 0;
        for (int row = 1; row < grid.GetRowCountEx(); ++row)
            matched += matcher.Matches(grid.GetCellEx(1, row)) ? 1 : 0;
        benchmark::DoNotOptimize(matched);
    }
    state.counters["rows"] = grid.GetRowCountEx() - 1;
    state.counters["matched"] = matched;
    state.counters["length"] = static_cast<double>(condition.size());
}

std::string Repeated(const std::string& text, int times)
{
    std::string repeated;
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

// 499 x "*a" alone: matched greedily, the baseline of the three below.
void BM_LongConditionAsterisks(benchmark::State& state)
{
    LongCondition(state, Repeated("*a", 499));
}
BENCHMARK(BM_LongConditionAsterisks)
    ->ArgName("anchors")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// "!" in front: matched from the end of the text.
void BM_LongConditionInverted(benchmark::State& state)
{
    LongCondition(state, "!" + Repeated("*a", 499));
}
BENCHMARK(BM_LongConditionInverted)
    ->ArgName("anchors")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// A comparison behind them: every piece has it, each text place is tested once.
void BM_LongConditionGreater(benchmark::State& state)
{
    LongCondition(state, Repeated("*a", 499) + "*>");
}
BENCHMARK(BM_LongConditionGreater)
    ->ArgName("anchors")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// "<" behind them; it holds for the empty ending of every text, so every piece has a place.
void BM_LongConditionLess(benchmark::State& state)
{
    LongCondition(state, Repeated("*a", 498) + "*<0");
}
BENCHMARK(BM_LongConditionLess)->ArgName("anchors")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A comparison that almost never holds: the pieces find their places as without it.
void BM_LongConditionGreaterRarelyHolding(benchmark::State& state)
{
    LongCondition(state, Repeated("*a", 498) + "*>~");
}
BENCHMARK(BM_LongConditionGreaterRarelyHolding)
    ->ArgName("anchors")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// 1,000 x ";": 1,001 empty parts joined by "or".
void BM_LongConditionSemicolons(benchmark::State& state)
{
    LongCondition(state, std::string(1000, ';'));
}
BENCHMARK(BM_LongConditionSemicolons)
    ->ArgName("anchors")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

} // namespace varnok

using namespace varnok;

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
