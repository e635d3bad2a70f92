// Feeds arbitrary bytes to both reads of the index scanner, through a real file as the
// program reads it, and checks what every read must leave behind whatever the bytes:
// a caption row, rows numbered 1 to n, a line count of n, one finishing step. The bytes are
// also made an address anchor, which the anchor parser must read back exactly.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <unistd.h>

#include "cacheindex/indexscan.h"
#include "cacheindex/scanview.h"
#include "grid/basegrid.h"
#include "grid/safeanchor.h"

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
        const std::string& date = grid.GetCellEx(2, row);
        check(date.empty() || date.size() == 19, "date text length");
        const std::string& cell = grid.GetCellEx(1, row);
        const std::optional<std::string> address =
            options.CellFormatHtml ? AddressAnchorTarget(cell) : cell;
        check(address.has_value(), "anchor form");
        check(address->size() <= (mode == ScanMode::Startup ? 385u : 128u), "address length");
    }
}

} // namespace

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
    return 0;
}
