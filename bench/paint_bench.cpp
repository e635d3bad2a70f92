// Speed of the on-screen grid with Qt's real text engine (offscreen): painting one full
// viewport of a 60,000-row list (plain addresses, and address anchors as the HTML cell
// format stores them), painting it through the widget, sizing all rows to their texts as
// every read does, and laying out one anchor cell.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <cstdlib>
#include <string>

#include <benchmark/benchmark.h>

#include "grid/markup/markuplayout.h"
#include "grid/table/basegrid.h"
#include "grid/table/gridgeometry.h"
#include "grid/table/gridrenderer.h"
#include "grid/table/rowfit.h"
#include "grid/view/resultgridview.h"
#include "platform/qt/qtcanvas.h"

namespace varnok {

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

// The address as the HTML cell format stores it (the benchmark's addresses need no escaping).
std::string anchor(const std::string& address)
{
    return "<A href=\"" + address + "\">" + address + "</A>";
}

enum class Cells { Plain, Anchors };

// The list as a read leaves it, rows sized to their texts.
void FillList(TBaseGrid& grid, Cells cells = Cells::Plain)
{
    grid.SetRowCountEx(kRows + 1);
    grid.SetFixedRowsEx(1);
    grid.SetCellEx(0, 0, "No.");
    grid.SetCellEx(1, 0, "URL   ");
    grid.SetCellEx(2, 0, "Latest visit");
    for (int row = 1; row <= kRows; ++row) {
        grid.SetCellEx(0, row, std::to_string(row));
        grid.SetCellEx(1, row, cells == Cells::Anchors ? anchor(address(row)) : address(row));
        grid.SetCellEx(2, row, row % 13 == 0 ? "" : "05/06/2004 10:11:12");
    }
    grid.SetColWidth(0, 65);
    grid.SetColWidth(1, 524);
    grid.SetColWidth(2, 75);
}

TBaseGrid& SizedList(Cells cells = Cells::Plain)
{
    static TBaseGrid plain;
    static TBaseGrid anchors;
    TBaseGrid& list = cells == Cells::Anchors ? anchors : plain;
    if (list.GetRowCountEx() <= kRows) {
        FillList(list, cells);
        QtCanvas canvas;
        AutoSizeRows(list, canvas, true);
    }
    return list;
}

void BM_PaintViewport(benchmark::State& state)
{
    TBaseGrid& grid = SizedList(state.range(0) == 0 ? Cells::Plain : Cells::Anchors);
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
BENCHMARK(BM_PaintViewport)->Arg(0)->Arg(1)->ArgName("anchors")->Unit(benchmark::kMillisecond);

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
    FillList(grid, state.range(0) == 0 ? Cells::Plain : Cells::Anchors);
    for (auto _ : state) {
        QtCanvas canvas;
        AutoSizeRows(grid, canvas, true);
        benchmark::DoNotOptimize(grid.RowHeight(kRows));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * (kRows + 1) * 3);
}
BENCHMARK(BM_AutoSizeRows)->Arg(0)->Arg(1)->ArgName("anchors")->Unit(benchmark::kMillisecond);

// One anchor cell of the address column (524 pixels wide): 0 laid out to find the anchor
// under the pointer; 1 laid out for drawing (both passes, drawing calls on a canvas that
// has nothing to paint on); 2 laid out and drawn into an image, glyphs included.
void BM_AnchorCell(benchmark::State& state)
{
    const int mode = static_cast<int>(state.range(0));
    const std::string cell = anchor(address(12345));
    QImage image(kViewportWidth, 40, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    QtCanvas drawing(painter, QApplication::palette());
    QtCanvas measuring;
    QtCanvas& canvas = mode == 2 ? drawing : measuring;
    MarkupRequest request;
    request.AnchorColor = 0x00FF0000;
    request.Area = {68, 2, 66 + 524, 40};
    request.MeasureOnly = mode == 0;
    if (mode == 0) {
        request.Pointer = MarkupPoint{300, 10};
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawMarkup(canvas, cell, request));
    }
}
BENCHMARK(BM_AnchorCell)->DenseRange(0, 2)->ArgName("mode")->Unit(benchmark::kMicrosecond);

// The same address as a plain cell, drawn: what the glyphs cost without any markup.
void BM_PlainCell(benchmark::State& state)
{
    const std::string cell = address(12345);
    QImage image(kViewportWidth, 40, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    QtCanvas canvas(painter, QApplication::palette());
    TGridFont font;
    for (auto _ : state) {
        canvas.DrawWrappedText(font, 0, cell, {68, 2, 66 + 522, 40});
    }
}
BENCHMARK(BM_PlainCell)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace varnok

using namespace varnok;

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
