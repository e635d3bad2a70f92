// Speed of the on-screen grid with Qt's real text engine (offscreen): painting one full
// viewport of a 60,000-row list, painting it through the widget, and sizing all rows to
// their texts as every read does.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <cstdlib>
#include <string>

#include <benchmark/benchmark.h>

#include "grid/basegrid.h"
#include "grid/gridgeometry.h"
#include "grid/gridrenderer.h"
#include "grid/view/resultgridview.h"
#include "platform/qt/qtcanvas.h"

namespace {

constexpr int kRows = 60000;
// The window's default client area: the grid 684 pixels wide with columns 65, 524, 75.
constexpr int kViewportWidth = 684;
constexpr int kViewportHeight = 700;

std::string address(int row)
{
    // One address in ten is a local file with blanks, long enough to wrap in the column.
    std::string text = row % 10 == 0
                           ? "file:///C:/Documents and Settings/Owner/Local Settings/Temp/"
                           : "http://www.example" + std::to_string(row % 97) + ".com/";
    const int segments = row % 10 == 0 ? 14 : 2 + row % 4;
    for (int i = 0; i < segments; ++i) {
        text += (row % 10 == 0 ? "My folder " : "dir") + std::to_string((row * 7 + i) % 1000) + "/";
    }
    return text + "page" + std::to_string(row) + ".html?q=" + std::to_string(row * 31);
}

// The list as a read leaves it, rows sized to their texts.
void FillList(TBaseGrid& grid)
{
    grid.SetRowCountEx(kRows + 1);
    grid.SetFixedRowsEx(1);
    grid.SetCellEx(0, 0, "No.");
    grid.SetCellEx(1, 0, "URL   ");
    grid.SetCellEx(2, 0, "Latest visit");
    for (int row = 1; row <= kRows; ++row) {
        grid.SetCellEx(0, row, std::to_string(row));
        grid.SetCellEx(1, row, address(row));
        grid.SetCellEx(2, row, row % 13 == 0 ? "" : "05/06/2004 10:11:12");
    }
    grid.SetColWidth(0, 65);
    grid.SetColWidth(1, 524);
    grid.SetColWidth(2, 75);
}

TBaseGrid& SizedList()
{
    static TBaseGrid& grid = []() -> TBaseGrid& {
        static TBaseGrid list;
        FillList(list);
        QtCanvas canvas;
        list.AutoSizeRows(canvas, true, 15);
        return list;
    }();
    return grid;
}

void BM_PaintViewport(benchmark::State& state)
{
    TBaseGrid& grid = SizedList();
    GridGeometry geometry(grid);
    GridRenderer renderer(grid);
    geometry.SetViewportSize(kViewportWidth, kViewportHeight);
    QImage image(kViewportWidth, kViewportHeight, QImage::Format_ARGB32_Premultiplied);
    int top = 1;
    for (auto _ : state) {
        geometry.SetTopRow(top);
        top = (top + 7919) % kRows + 1;
        QPainter painter(&image);
        QtCanvas canvas(painter, QApplication::palette());
        renderer.PaintViewport(canvas, geometry, {true, true});
    }
    state.counters["rows"] =
        geometry.VisibleScrollRows().Last - geometry.VisibleScrollRows().First + 1;
}
BENCHMARK(BM_PaintViewport)->Unit(benchmark::kMillisecond);

void BM_PaintWidget(benchmark::State& state)
{
    TBaseGrid& grid = SizedList();
    TResultGridView view(grid);
    view.resize(kViewportWidth, kViewportHeight);
    view.show();
    QApplication::processEvents();
    int top = 0;
    for (auto _ : state) {
        view.verticalScrollBar()->setValue(top);
        top = (top + 7919) % kRows;
        benchmark::DoNotOptimize(view.viewport()->grab());
    }
}
BENCHMARK(BM_PaintWidget)->Unit(benchmark::kMillisecond);

void BM_AutoSizeRows(benchmark::State& state)
{
    TBaseGrid grid;
    FillList(grid);
    for (auto _ : state) {
        QtCanvas canvas;
        grid.AutoSizeRows(canvas, true, 15);
        benchmark::DoNotOptimize(grid.RowHeight(kRows));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * (kRows + 1) * 3);
}
BENCHMARK(BM_AutoSizeRows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
