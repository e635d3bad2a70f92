#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "cacheindex/indexscan.h"
#include "cacheindex/scanview.h"
#include "cacheindex/visittime.h"
#include "grid/table/resultlist.h"
#include "platform/readonlyfile.h"

struct IndexRecord;

// One read of a cache index file into the grid: the table loop, the walk of the 128-byte
// blocks behind each table, and the rows made from "URL " and "REDR" records. Each
// guarded stretch reports its own "File Error" and carries on as the user expects:
// a failed probe still walks the region known so far, a failed walk keeps the rows
// listed until then.
class IndexScanner {
public:
    IndexScanner(ScanMode mode, const ScanOptions& options, TBaseGrid& grid, ScanView& view);

    // Reads the file and finishes the grid. Failures outside the guarded stretches
    // (preparing and finishing the grid) are left to the caller.
    void Run(const std::string& indexFilePath);
    // The same read taking its bytes from `source`; the path only names the file for the
    // size label.
    void Run(const std::string& indexFilePath, ByteSource& source);

    // Bytes from this position on are never looked at: the offsets of the format are
    // signed 32-bit numbers, so a larger file is read as if it ended here.
    static constexpr std::int64_t kLargestReadableSize = 0x7FFF'FFFF;

private:
    void run(const std::string& indexFilePath, ByteSource* source);
    void openSource(const std::string& path, ByteSource* source);
    // Bytes of the file as the scan sees them: nothing at or past m_size.
    [[nodiscard]] std::span<const std::uint8_t> view(std::int64_t offset, std::size_t count);
    /** The most entries the file's size leaves room for, capped. */
    [[nodiscard]] int mostEntries() const;
    void walkTables();
    bool walkRegion(std::int64_t blockPosition, std::int64_t regionEnd);
    void listRecord(const IndexRecord& record);
    // The text of the address cell; valid until the next call.
    [[nodiscard]] std::string_view addressCellText(std::string_view address);
    void finish();
    void showError(ScanStretch stretch, std::int64_t position, const std::exception& failure);

    ScanMode m_mode;
    ScanOptions m_options;
    ResultListWriter m_list;
    ScanView& m_view;
    VisitTimeFormatter m_dates;
    ReadOnlyFile m_file;
    ByteSource* m_source = &m_file;
    std::int64_t m_size = 0;
    std::int64_t m_last = 0;
    std::size_t m_longestAddress;
    std::string m_anchor; // the last address cell built as an anchor
};
