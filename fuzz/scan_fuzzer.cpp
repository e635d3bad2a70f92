// Feeds arbitrary bytes to both reads of the index scanner, through a real file as the
// program reads it, and checks what every read must leave behind whatever the bytes:
// a caption row, rows numbered 1 to n, a line count of n, one finishing step; address
// anchors that show and open exactly their address, and plain addresses that are never
// markup. The same bytes also go through the cell markup layout as a cell text, and are
// made an address anchor, which the anchor parser must read back exactly.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>

#include "cacheindex/indexscan.h"
#include "cacheindex/scanview.h"
#include "grid/indexlisting.h"
#include "grid/markup/markuplayout.h"
#include "grid/markup/markupplaintext.h"
#include "grid/markup/safeanchor.h"
#include "grid/markup/texttype.h"
#include "grid/table/basegrid.h"
#include "support/recordingscanview.h"
#include "support/testcanvas.h"

namespace varnok {

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "scan invariant broken: %s\n", what);
        std::abort();
    }
}

// One file for the whole run, in memory-backed storage where there is some.
const std::string& inputPath()
{
    static const std::string path = [] {
        const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string name = std::string(folder) + "/varnok-fuzz-XXXXXX";
        const int fd = mkstemp(name.data());
        check(fd >= 0, "cannot create the input file");
        close(fd);
        std::atexit([] { unlink(inputPath().c_str()); });
        return name;
    }();
    return path;
}

void writeInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(inputPath().c_str(), "wb");
    check(file != nullptr, "cannot open the input file");
    check(std::fwrite(data, 1, size, file) == size, "cannot write the input file");
    std::fclose(file);
}

constexpr std::size_t kCellBytes = 2048;
// Laying out every anchor of a long list would slow the runs down several times; the
// first rows of each input already see every kind of address the mutations make.
constexpr int kAnchorRowsChecked = 16;

MarkupRequest wideArea()
{
    MarkupRequest request;
    request.Area = {0, 0, 1 << 20, 1 << 20};
    return request;
}

// An address anchor of the scan shows the address itself and opens exactly it. Line
// breaks and tabs inside an address are laid out as such, so those are left out.
void checkAnchor(std::string_view cell)
{
    const auto address = AddressAnchorTarget(cell);
    check(address.has_value(), "anchor the scan built is not an address anchor");
    if (address->empty() || address->find_first_of("\r\n\t") != std::string::npos)
        return;
    TestCanvas canvas;
    static_cast<void>(DrawMarkup(canvas, cell, wideArea()));
    std::string shown;
    for (const TestCanvasCall& call : canvas.Calls())
        shown += call.Shown;
    check(shown == *address, "anchor shows another text than its address");
    MarkupRequest hit = wideArea();
    hit.MeasureOnly = true;
    hit.Pointer = MarkupPoint{1, 1};
    const MarkupResult result = DrawMarkup(canvas, cell, hit);
    // The target holds the address with its control bytes percent-encoded, nothing else.
    std::string target;
    for (const char c : *address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            constexpr std::string_view hexDigits = "0123456789ABCDEF";
            target += '%';
            target += hexDigits[byte >> 4];
            target += hexDigits[byte & 0x0F];
        } else {
            target += c;
        }
    }
    check(result.AnchorHit && DecodeAnchorTarget(result.AnchorTarget) == target,
          "anchor opens another address than it shows");
}

// Whatever a cell holds, laying it out, finding anchors and its plain form end.
void layOutAsCell(std::string_view text)
{
    TestCanvas canvas;
    MarkupRequest request;
    request.Area = {2, 2, 150, 40};
    static_cast<void>(DrawMarkup(canvas, text, request));
    request.MeasureOnly = true;
    request.Pointer = MarkupPoint{20, 10};
    static_cast<void>(DrawMarkup(canvas, text, request));
    static_cast<void>(MarkupPlainText(text));
}

void scanAndCheck(ScanMode mode, const ScanOptions& options)
{
    TBaseGrid grid;
    RecordingScanView view;
    ScanIndexFile(inputPath(), mode, options, grid, view);
    const int rows = grid.GetRowCountEx() - 1;
    check(grid.GetCellEx(0, 0) == "No." && grid.GetCellEx(1, 0) == "URL   ", "caption row");
    check(view.LineCountText == std::to_string(rows), "line count");
    check(view.FinishCount == 1 && view.StatusText.empty(), "finishing");
    check(view.ErrorCount == 0, "a file error from a plain file");
    for (int row = 1; row <= rows; ++row) {
        check(grid.GetCellEx(0, row) == std::to_string(row), "row numbers");
        const std::string_view date = grid.GetCellEx(2, row);
        check(date.empty() || date.size() == 19, "date text length");
        const std::string_view cell = grid.GetCellEx(1, row);
        check(grid.EnableHTML() == options.CellFormatHtml, "markup switch of the read");
        const std::optional<std::string> address =
            options.CellFormatHtml ? AddressAnchorTarget(cell) : std::string(cell);
        check(address.has_value(), "anchor form");
        check(address->size() <= (mode == ScanMode::Startup ? 385u : 128u), "address length");
        if (options.CellFormatHtml && row <= kAnchorRowsChecked)
            checkAnchor(cell);
        if (!options.CellFormatHtml)
            check(TextType(cell, grid.EnableHTML()) != ttMarkup, "plain address as markup");
    }
}

} // namespace

} // namespace varnok

using namespace varnok;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    check(AddressAnchorTarget(AddressAnchor(bytes)) == bytes, "anchor round trip");
    writeInput(data, size);
    // The options come from the input's length, so the corpus covers all of them.
    ScanOptions options;
    options.DateFormat = 1 + static_cast<int>(size & 1);
    options.ShowAllEntries = (size & 2) == 0;
    options.CellFormatHtml = (size & 4) != 0;
    scanAndCheck(ScanMode::OpenCommand, options);
    scanAndCheck(ScanMode::Startup, options);
    // A cell's worth of the bytes is enough for the layout and keeps the runs quick.
    layOutAsCell(std::string_view(reinterpret_cast<const char*>(data), std::min(size, kCellBytes)));
    return 0;
}
