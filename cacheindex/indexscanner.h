#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "cacheindex/indexfileheader.h"
#include "cacheindex/indexscan.h"
#include "cacheindex/recordsink.h"
#include "cacheindex/scanview.h"
#include "platform/readonlyfile.h"

namespace varnok {

// One read of a cache index file: the table loop and the walk of the 128-byte blocks
// behind each table, handing every "URL " record (and, for the open command, every "REDR"
// record) to a sink. Each guarded stretch reports its own "File Error" and carries on as
// the user expects: a failed probe still walks the region known so far, a failed walk
// keeps the records handed on until then.
class IndexScanner {
public:
    IndexScanner(ScanMode mode, ScanView& view, RecordSink& sink);

    // Reads the file and ends the sink's records. Failures outside the guarded stretches
    // (those of the sink among them) are left to the caller.
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
    /** The most records the file's size leaves room for, capped. */
    [[nodiscard]] int mostRecords() const;
    void walkTables();
    bool walkRegion(std::int64_t blockPosition, std::int64_t regionEnd);
    void finish();
    void showError(ScanStretch stretch, std::int64_t position, const std::exception& failure);

    ScanMode m_mode;
    ScanView& m_view;
    RecordSink& m_sink;
    ReadOnlyFile m_file;
    ByteSource* m_source = &m_file;
    IndexFileHeader m_header;
    std::int64_t m_size = 0;
    std::int64_t m_last = 0;
};

} // namespace varnok
