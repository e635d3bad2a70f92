#include "cacheindex/indexscanner.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "cacheindex/recordreader.h"
#include "cacheindex/scanview.h"
#include "grid/basegrid.h"

namespace {

constexpr std::int64_t kFirstTableCandidate = 0x4000;
constexpr std::int64_t kTableLength = 4096;
constexpr std::int64_t kBlockLength = 128;
constexpr std::size_t kOpenCommandLongestAddress = 128;
constexpr std::size_t kStartupLongestAddress = 385;

constexpr const char* kReadingStatus = "Reading index file ...";
constexpr const char* kFileErrorCaption = "File Error";
constexpr std::string_view kErrorTextStart = "Can't perform one of the following file";

constexpr std::size_t kStretchLength = 64 * 1024;
constexpr int kRowGrowthStep = 1024;

// A cheap first test of a block: could its signature be "URL " or "REDR"?
bool startsRecord(std::span<const std::uint8_t> block)
{
    return block.size() >= 4 && (block[0] == 'U' || block[0] == 'R');
}

bool isTableSignature(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 4 && std::memcmp(bytes.data(), "HASH", 4) == 0;
}

void appendEscaped(std::string& out, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c; break;
        }
    }
}

} // namespace

IndexScanner::IndexScanner(ScanMode mode, const ScanOptions& options, TBaseGrid& grid,
                           ScanView& view)
    : m_mode(mode), m_options(options), m_grid(grid), m_view(view),
      m_dates(options.DateFormat, VisitTimeFormatter::CurrentUtcOffset()),
      m_longestAddress(mode == ScanMode::OpenCommand ? kOpenCommandLongestAddress
                                                     : kStartupLongestAddress)
{
}

void IndexScanner::Run(const std::string& indexFilePath)
{
    run(indexFilePath, nullptr);
}

void IndexScanner::Run(const std::string& indexFilePath, ByteSource& source)
{
    run(indexFilePath, &source);
}

void IndexScanner::run(const std::string& indexFilePath, ByteSource* source)
{
    // Cells are markup only when this read builds anchors: an address read as text that
    // happens to hold "</" is shown, measured and edited as the bytes the file holds.
    m_grid.EnableHTML = m_options.CellFormatHtml;
    writeHeaderRow();
    ensureEmptyListLayout();
    if (m_mode == ScanMode::OpenCommand) {
        m_view.SetIndexSizeText(IndexSizeText(indexFilePath));
        m_grid.SetRowCountEx(m_grid.GetRowCountEx() + 1);
        m_rowCount = m_grid.GetRowCountEx();
        m_grid.SetFixedRowsEx(1);
        m_view.SetStatusText(kReadingStatus);
        openSource(indexFilePath, source);
    } else {
        m_rowCount = m_grid.GetRowCountEx();
        m_grid.SetFixedRowsEx(1);
        m_view.SetStatusText(kReadingStatus);
        try {
            m_view.SetIndexSizeText(IndexSizeText(indexFilePath));
            openSource(indexFilePath, source);
        } catch (const std::exception&) {
            m_size = std::min(m_source->End(), kLargestReadableSize);
            m_last = m_size;
            showError("Open, Seek.");
        }
    }
    walkTables();
    finish();
}

void IndexScanner::writeHeaderRow()
{
    m_grid.SetCellEx(0, 0, "No.");
    m_grid.SetCellEx(1, 0, "URL   ");
    m_grid.SetCellEx(2, 0, "Latest visit");
}

// The row rules place the first record in row 1 of a grid that holds the caption row
// and one empty row; a grid shrunk below that would get records over its caption row.
void IndexScanner::ensureEmptyListLayout()
{
    if (m_grid.GetRowCountEx() < 2)
        m_grid.SetRowCountEx(2);
}

void IndexScanner::openSource(const std::string& path, ByteSource* source)
{
    if (source) {
        m_source = source;
    } else {
        // A file that cannot be opened reads as an empty one: no table is found and the
        // list stays empty, without a message.
        m_file.Open(path);
    }
    m_size = std::min(m_source->End(), kLargestReadableSize);
    m_last = m_size - 4;
}

std::span<const std::uint8_t> IndexScanner::view(std::int64_t offset, std::size_t count)
{
    if (offset >= m_size)
        return {};
    return m_source->View(offset, static_cast<std::size_t>(
                                      std::min<std::int64_t>(static_cast<std::int64_t>(count),
                                                             m_size - offset)));
}

void IndexScanner::walkTables()
{
    std::int64_t tableOffset = kFirstTableCandidate;
    // Until a table has been read, a failed probe walks to the end of the file.
    std::int64_t regionEnd = m_size;
    for (;;) {
        bool lastTable = false;
        try {
            if (!isTableSignature(view(tableOffset, 4))) {
                tableOffset += kTableLength;
                if (tableOffset > m_last)
                    return;
                continue;
            }
            const std::uint32_t next = ReadU32(view(tableOffset + 8, 4), 0).value_or(0);
            const auto nextOffset = static_cast<std::int64_t>(next);
            regionEnd = m_last;
            if (next == 0) {
                // The last table: its region runs to the final four bytes, which are
                // then probed like any candidate.
            } else if (nextOffset <= tableOffset || nextOffset >= m_size) {
                // A chain that points backwards, at itself or past the end would walk
                // tables again or forever: it ends with this table.
                lastTable = true;
            } else {
                regionEnd = nextOffset;
            }
        } catch (const std::exception&) {
            showError("Seek, Read.");
        }
        if (!walkRegion(tableOffset + kTableLength, regionEnd))
            return;
        if (lastTable || regionEnd <= tableOffset)
            return;
        tableOffset = regionEnd;
    }
}

bool IndexScanner::walkRegion(std::int64_t blockPosition, std::int64_t regionEnd)
{
    const bool listRedirects = m_mode == ScanMode::OpenCommand;
    const bool checkTextType = !m_options.ShowAllEntries;
    const std::size_t span = RecordSpan(m_longestAddress);
    // Blocks are looked at through one long stretch of the file at a time; most of them
    // start no record and cost a four-byte comparison.
    std::span<const std::uint8_t> stretch;
    std::int64_t stretchStart = 0;
    auto blockAt = [&](std::int64_t position) {
        const std::int64_t offset = position - stretchStart;
        if (offset < 0 || offset + static_cast<std::int64_t>(span) > static_cast<std::int64_t>(stretch.size())) {
            stretch = view(position, kStretchLength);
            stretchStart = position;
            return stretch.first(std::min(span, stretch.size()));
        }
        return stretch.subspan(static_cast<std::size_t>(offset), span);
    };
    try {
        // The first block is examined even when the region is already over.
        do {
            const auto bytes = blockAt(blockPosition);
            const auto kind = startsRecord(bytes) ? RecordKindOf(bytes) : std::nullopt;
            if (!kind || (*kind == RecordKind::Redirect && !listRedirects)) {
                blockPosition += kBlockLength;
                continue;
            }
            const IndexRecord record = ReadRecord(bytes, *kind, m_longestAddress, checkTextType);
            if (!checkTextType || record.TextType)
                listRecord(record);
            // Records are two blocks or longer, except those that say they are one block
            // long (redirects in real files): stepping two blocks there would skip the
            // record behind them.
            blockPosition += record.OneBlock ? kBlockLength : 2 * kBlockLength;
        } while (blockPosition < regionEnd);
    } catch (const std::exception&) {
        showError("Open, Seek, Read, Close.");
        return false;
    }
    return true;
}

void IndexScanner::listRecord(const IndexRecord& record)
{
    const int row = m_mode == ScanMode::OpenCommand ? m_rowCount - 2 : m_rowCount - 1;
    growGridFor(m_rowCount + 1);
    m_grid.SetCellEx(0, row, std::to_string(row));
    m_grid.SetCellEx(1, row, addressCellText(record.Address));
    std::string date;
    if (record.VisitTime) {
        date.resize(VisitTimeFormatter::kTextLength);
        date.resize(m_dates.Format(*record.VisitTime, date.data()));
    }
    m_grid.SetCellEx(2, row, std::move(date));
    ++m_rowCount;
}

// While the scan runs the grid may hold a few more rows than the list has: it grows by
// many rows at a time rather than one per record, and finishing gives it its exact count.
void IndexScanner::growGridFor(int rows)
{
    const int current = m_grid.GetRowCountEx();
    if (rows > current)
        m_grid.SetRowCountEx(std::max(rows, current + kRowGrowthStep));
}

std::string IndexScanner::addressCellText(std::string_view address) const
{
    if (!m_options.CellFormatHtml)
        return std::string(address);
    // The address stands twice, as target and as shown text; escaping keeps an "&" in a
    // query visible and keeps any address from breaking out of the anchor.
    std::string cell;
    cell.reserve(2 * address.size() + 24);
    cell += "<A href=\"";
    appendEscaped(cell, address);
    cell += "\">";
    appendEscaped(cell, address);
    cell += "</A>";
    return cell;
}

void IndexScanner::finish()
{
    m_file.Close();
    if (m_mode == ScanMode::OpenCommand && m_rowCount > 2)
        --m_rowCount;
    m_view.SetLineCountText(std::to_string(m_rowCount - 2));
    m_view.SetStatusText("");
    m_grid.SetRowCountEx(m_rowCount - 1);
    m_view.FinishRead(m_mode == ScanMode::OpenCommand);
}

void IndexScanner::showError(std::string_view operations)
{
    // The two reads word the same messages differently; both wordings are kept.
    const std::string gap = m_mode == ScanMode::OpenCommand ? std::string(21, ' ') : "\t\t\t ";
    std::string text(kErrorTextStart);
    text += gap;
    text += "operations: ";
    text += operations;
    m_view.ShowFileError(text, kFileErrorCaption);
}
