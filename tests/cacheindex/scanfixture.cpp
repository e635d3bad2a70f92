#include "scanfixture.h"

#include <algorithm>

#include "platform/readonlyfile.h"

namespace varnok {

std::vector<ListRow> DataRows(const TBaseGrid& grid)
{
    std::vector<ListRow> rows;
    for (int row = 1; row < grid.GetRowCountEx(); ++row)
        rows.push_back({std::string(grid.GetCellEx(0, row)), std::string(grid.GetCellEx(1, row)),
                        std::string(grid.GetCellEx(2, row))});
    return rows;
}

ScanOutcome ScanBytes(const std::vector<std::uint8_t>& bytes, ScanMode mode,
                      const ScanOptions& options)
{
    TempDir dir;
    const std::string path = dir.File("index.dat");
    WriteWholeFile(path, bytes);
    TBaseGrid grid;
    ScanOutcome outcome;
    ScanIndexFile(path, mode, options, grid, outcome.View);
    outcome.Rows = DataRows(grid);
    for (int col = 0; col < 3; ++col)
        outcome.Header.emplace_back(grid.GetCellEx(col, 0));
    outcome.RowCount = grid.GetRowCountEx();
    return outcome;
}

std::vector<std::string> Addresses(const ScanOutcome& outcome)
{
    std::vector<std::string> addresses;
    for (const ListRow& row : outcome.Rows)
        addresses.push_back(row[1]);
    return addresses;
}

UrlRecordPlan Url(const std::string& address, const std::string& contentType)
{
    UrlRecordPlan url;
    url.Address = address;
    url.LastAccess = FileTimeFromUtc(2005, 3, 7, 13, 5, 9);
    url.Headers = "HTTP/1.1 200 OK\r\nContent-Type: " + contentType + "\r\n\r\n";
    return url;
}

MemoryByteSource::MemoryByteSource(std::vector<std::uint8_t> bytes, std::int64_t failFrom,
                                   std::int64_t failTo)
    : m_bytes(std::move(bytes)), m_failFrom(failFrom), m_failTo(failTo)
{
}

std::int64_t MemoryByteSource::End() const
{
    return static_cast<std::int64_t>(m_bytes.size());
}

std::span<const std::uint8_t> MemoryByteSource::View(std::int64_t offset, std::size_t count)
{
    const auto end = static_cast<std::int64_t>(m_bytes.size());
    if (offset < 0 || offset >= end)
        return {};
    const std::int64_t length =
        std::min<std::int64_t>(static_cast<std::int64_t>(count), end - offset);
    if (offset >= m_failFrom && offset < m_failTo) {
        ++Failures;
        throw FileReadError("read failed: Input/output error");
    }
    return {m_bytes.data() + offset, static_cast<std::size_t>(length)};
}

void SparseByteSource::Patch(std::int64_t offset, const std::string& bytes)
{
    m_pieces.push_back({offset, bytes});
}

std::span<const std::uint8_t> SparseByteSource::View(std::int64_t offset, std::size_t count)
{
    if (offset < 0 || offset >= m_size)
        return {};
    const auto length = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(count), m_size - offset));
    const auto touches = [&](const Piece& piece) {
        return piece.Offset < offset + static_cast<std::int64_t>(length) &&
               piece.Offset + static_cast<std::int64_t>(piece.Bytes.size()) > offset;
    };
    if (m_zeros.size() < length)
        m_zeros.resize(length, 0);
    if (std::none_of(m_pieces.begin(), m_pieces.end(), touches))
        return {m_zeros.data(), length};
    m_buffer.assign(length, 0);
    for (const Piece& piece : m_pieces) {
        for (std::size_t i = 0; i < piece.Bytes.size(); ++i) {
            const std::int64_t at = piece.Offset + static_cast<std::int64_t>(i) - offset;
            if (at >= 0 && at < static_cast<std::int64_t>(length))
                m_buffer[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(piece.Bytes[i]);
        }
    }
    return {m_buffer.data(), length};
}

void ScanMemory(const std::vector<std::uint8_t>& bytes, ScanMode mode, TBaseGrid& grid,
                ScanView& view)
{
    MemoryByteSource source(bytes);
    ScanIndexFile("index.dat", source, mode, ScanOptions{}, grid, view);
}

} // namespace varnok
