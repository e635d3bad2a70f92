#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "cacheindex/indexscan.h"
#include "cacheindex/scanview.h"
#include "grid/indexlisting.h"
#include "grid/table/basegrid.h"
#include "platform/bytesource.h"
#include "support/recordingscanview.h"
#include "support/testsupport.h"
#include "tools/indexwriter.h"

namespace varnok {

// One data row of the list as the grid holds it: number, address, latest visit.
using ListRow = std::array<std::string, 3>;

// A view that also keeps every status text in order.
class LoggingScanView : public RecordingScanView {
public:
    void SetStatusText(const std::string& text) override
    {
        RecordingScanView::SetStatusText(text);
        StatusHistory.push_back(text);
    }
    std::vector<std::string> StatusHistory;
};

// What one read left behind.
struct ScanOutcome {
    std::vector<ListRow> Rows; // rows 1 to RowCount - 1
    std::vector<std::string> Header;
    int RowCount = 0;
    LoggingScanView View;
};

[[nodiscard]] std::vector<ListRow> DataRows(const TBaseGrid& grid);

// Writes `bytes` to a fresh file and reads it in `mode` into a fresh grid.
[[nodiscard]] ScanOutcome ScanBytes(const std::vector<std::uint8_t>& bytes, ScanMode mode,
                                    const ScanOptions& options = {});

// The addresses of the listed rows, in order.
[[nodiscard]] std::vector<std::string> Addresses(const ScanOutcome& outcome);

// A URL record plan with a plain address and a fixed visit time.
[[nodiscard]] UrlRecordPlan Url(const std::string& address,
                                const std::string& contentType = "text/html");

// Bytes held in memory; every view that starts in [failFrom, failTo) fails with a read
// error, as a bad stretch of disk would.
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::vector<std::uint8_t> bytes, std::int64_t failFrom = -1,
                              std::int64_t failTo = -1);
    [[nodiscard]] std::int64_t End() const override;
    [[nodiscard]] std::span<const std::uint8_t> View(std::int64_t offset,
                                                     std::size_t count) override;
    int Failures = 0;

private:
    std::vector<std::uint8_t> m_bytes;
    std::int64_t m_failFrom;
    std::int64_t m_failTo;
};

// A file of any size that holds zero bytes except for a few patches, without the memory.
class SparseByteSource : public ByteSource {
public:
    explicit SparseByteSource(std::int64_t size) : m_size(size) {}
    void Patch(std::int64_t offset, const std::string& bytes);
    [[nodiscard]] std::int64_t End() const override { return m_size; }
    [[nodiscard]] std::span<const std::uint8_t> View(std::int64_t offset,
                                                     std::size_t count) override;

private:
    struct Piece {
        std::int64_t Offset;
        std::string Bytes;
    };
    std::int64_t m_size;
    std::vector<Piece> m_pieces;
    std::vector<std::uint8_t> m_zeros;
    std::vector<std::uint8_t> m_buffer;
};

// Reads `bytes` from memory in `mode` into `grid`.
void ScanMemory(const std::vector<std::uint8_t>& bytes, ScanMode mode, TBaseGrid& grid,
                ScanView& view);

} // namespace varnok
