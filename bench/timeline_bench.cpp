// Speed of the timelines on the generated 40,000-record index (nine chained tables, about
// 16 MB): the whole export as the command line runs it, the scan streaming each record to a
// writer, into a stream that discards what it gets. Reported in records per second.
#include <ostream>
#include <streambuf>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/generatedindex.h"
#include "cacheindex/indexscanner.h"
#include "cacheindex/scanview.h"
#include "forensic/timelinesink.h"

namespace varnok {

namespace {

constexpr int kRecords = 40000;
constexpr int kTables = 9;

// Counts what is written and keeps nothing, as /dev/null would.
class CountingBuffer final : public std::streambuf {
public:
    std::streamsize Written = 0;

protected:
    int_type overflow(int_type c) override
    {
        ++Written;
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* /*data*/, std::streamsize count) override
    {
        Written += count;
        return count;
    }
};

void WriteTimeline(benchmark::State& state, TimelineFormat format)
{
    const std::string& path = GeneratedIndexPath(kRecords, 1, kTables);
    std::streamsize written = 0;
    for (auto _ : state) {
        CountingBuffer buffer;
        std::ostream out(&buffer);
        TimelineSink sink(format, out);
        sink.SetSource(path);
        SilentScanView view;
        IndexScanner(ScanMode::OpenCommand, view, sink).Run(path);
        benchmark::DoNotOptimize(sink.RecordCount());
        written = buffer.Written;
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.counters["output_MB"] = static_cast<double>(written) / 1e6;
}

void BM_JsonLinesOf40000Records(benchmark::State& state)
{
    WriteTimeline(state, TimelineFormat::JsonLines);
}
BENCHMARK(BM_JsonLinesOf40000Records)->Unit(benchmark::kMillisecond);

void BM_BodyFileOf40000Records(benchmark::State& state)
{
    WriteTimeline(state, TimelineFormat::BodyFile);
}
BENCHMARK(BM_BodyFileOf40000Records)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace varnok

BENCHMARK_MAIN();
