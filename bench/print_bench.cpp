// Speed of printing with Qt's real text engine (offscreen): counting the pages of a
// 60,000-row list as Print all does before printing, writing the printed list of the
// 40,000-record index of compare_peers.sh as a PDF file, and the preview of that list:
// turning to the next page, and opening it (counting the pages and drawing the first); and
// the same list printed as /spdf prints it, as a case exhibit in portrait and landscape.
// Peak memory of the PDF export:
//   /usr/bin/time -v build/print_bench --benchmark_filter=WriteListPdf
#include <QApplication>
#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QPixmap>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "app/exhibit.h"
#include "bench/generatedindex.h"
#include "cacheindex/indexscan.h"
#include "grid/resultgrid.h"
#include "platform/qt/qtpageprinter.h"
#include "print/gridpdf.h"
#include "print/printpreviewpanel.h"
#include "print/qtprinttarget.h"

namespace varnok {

namespace {

// A list read from a generated index of `records` realistic records in nine tables (the
// 40,000-record one is the file compare_peers.sh times the peers on).
std::unique_ptr<TResultGrid> ReadList(int records)
{
    auto grid = std::make_unique<TResultGrid>();
    ReadIndexList(GeneratedIndexPath(records, 1, 9), ScanMode::OpenCommand, false, *grid);
    return grid;
}

void BM_CountPages60000(benchmark::State& state)
{
    const std::unique_ptr<TResultGrid> grid = ReadList(60000);
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter writer(&sink);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QtPagePrinter printer(writer, {});
    if (!printer.BeginDoc("count")) {
        state.SkipWithError("no PDF document");
        return;
    }
    grid->PrintState.Range = {0, 0, grid->GetColCountEx() - 1, grid->GetRowCountEx() - 1};
    grid->PrintState.PageArea = {0, 0, 254 * printer.PageWidth() / printer.ResolutionX(),
                                 254 * printer.PageHeight() / printer.ResolutionY()};
    int pages = 0;
    for (auto _ : state)
        pages = grid->BuildPages(printer.Canvas(), prCalcPrint, 0);
    static_cast<void>(printer.EndDoc());
    state.counters["rows"] = grid->GetRowCountEx();
    state.counters["pages"] = pages;
}
BENCHMARK(BM_CountPages60000)->Unit(benchmark::kMillisecond);

void BM_WriteListPdf(benchmark::State& state)
{
    const std::unique_ptr<TResultGrid> grid = ReadList(40000);
    const std::string file =
        (std::filesystem::temp_directory_path() / "varnok-print-bench.pdf").string();
    int pages = 0;
    for (auto _ : state)
        pages = PrintGridToPdf(*grid, file);
    state.counters["rows"] = grid->GetRowCountEx();
    state.counters["pages"] = pages;
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    std::filesystem::remove(file);
}
BENCHMARK(BM_WriteListPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same list as /spdf prints it: as a case exhibit, on A4 portrait or landscape.
void BM_WriteExhibitPdf(benchmark::State& state)
{
    const std::unique_ptr<TResultGrid> grid = ReadList(40000);
    ExhibitFacts facts;
    facts.IndexFile = GeneratedIndexPath(40000, 1, 9);
    facts.Sha256 = std::string(64, '0');
    facts.ZoneName = "Europe/Berlin";
    facts.Landscape = state.range(0) != 0;
    grid->PrintSettings = ExhibitPrintSettings(facts);
    const std::string file =
        (std::filesystem::temp_directory_path() / "varnok-exhibit-bench.pdf").string();
    int pages = 0;
    for (auto _ : state)
        pages = PrintGridToPdf(*grid, file);
    state.counters["pages"] = pages;
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    std::filesystem::remove(file);
}
BENCHMARK(BM_WriteExhibitPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// The preview's panel at the size the preview window starts with, on the paper of the
// printer target (A4 without a printer).
struct PreviewOf40000 {
    PreviewOf40000() : grid(ReadList(40000))
    {
        panel.SetGrid(grid.get());
        panel.SetTarget(&target);
        panel.resize(675, 413);
        grid->SetPreviewPage(1);
    }

    std::unique_ptr<TResultGrid> grid;
    QtPrintTarget target;
    PrintPreviewPanel panel;
};

void BM_PreviewNextPage40000(benchmark::State& state)
{
    PreviewOf40000 preview;
    static_cast<void>(preview.panel.grab()); // counts the pages
    const int count = preview.grid->PrintState.PageCount;
    int page = 1;
    for (auto _ : state) {
        page = page % count + 1;
        preview.grid->SetPreviewPage(page);
        static_cast<void>(preview.panel.grab());
    }
    state.counters["rows"] = preview.grid->GetRowCountEx();
    state.counters["pages"] = count;
}
BENCHMARK(BM_PreviewNextPage40000)->Unit(benchmark::kMillisecond);

void BM_PreviewOpen40000(benchmark::State& state)
{
    PreviewOf40000 preview;
    for (auto _ : state) {
        preview.grid->ForgetPreviewPages();
        static_cast<void>(preview.panel.grab());
    }
    state.counters["pages"] = preview.grid->PrintState.PageCount;
}
BENCHMARK(BM_PreviewOpen40000)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace varnok

using namespace varnok;

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
