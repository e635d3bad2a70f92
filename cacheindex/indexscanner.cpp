#include "cacheindex/indexscanner.h"

#include <algorithm>
#include <exception>

#include "cacheindex/indexrecordvalue.h"
#include "cacheindex/recordlayout.h"
#include "cacheindex/recordreader.h"

namespace varnok {

namespace {

constexpr const char* kReadingStatus = "Reading index file ...";
constexpr const char* kFileErrorCaption = "File Error";
constexpr std::string_view kErrorTextStart = "Can't perform one of the following file";

constexpr std::size_t kStretchLength = 64 * 1024;
// The walk looks at no more of a record than this, whatever block count it gives; real
// records are a few blocks long.
constexpr std::size_t kLongestRecordLength = 256 * kBlockLength;
static_assert(kLongestRecordLength < kStretchLength);
// Always looked at, so the address and header sample of any read can be taken from them.
constexpr std::size_t kShortestRecordView = RecordSpan(kLongestListedAddress);

// How much of the record whose first bytes are `first` the walk looks at.
std::size_t recordViewLength(std::span<const std::uint8_t> first)
{
    const std::uint64_t blocks = ReadU32(first, kBlockCountField).value_or(0);
    return static_cast<std::size_t>(std::clamp<std::uint64_t>(
        blocks * kBlockLength, kShortestRecordView, kLongestRecordLength));
}

// A cheap first test of a block: could its signature be "URL ", "REDR" or "LEAK"?
bool startsRecord(std::span<const std::uint8_t> block)
{
    return block.size() >= kSignatureLength &&
           (block[0] == kUrlSignature[0] || block[0] == kRedirectSignature[0] ||
            block[0] == kLeakSignature[0]);
}

bool isTableSignature(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= kSignatureLength &&
           std::string_view(reinterpret_cast<const char*>(bytes.data()), kSignatureLength) ==
               kTableSignature;
}

} // namespace

IndexScanner::IndexScanner(ScanMode mode, ScanView& view, RecordSink& sink)
    : m_mode(mode), m_view(view), m_sink(sink)
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
    if (m_mode == ScanMode::OpenCommand) {
        m_view.SetIndexSizeText(IndexSizeText(indexFilePath));
        m_view.SetStatusText(kReadingStatus);
        openSource(indexFilePath, source);
    } else {
        m_view.SetStatusText(kReadingStatus);
        try {
            m_view.SetIndexSizeText(IndexSizeText(indexFilePath));
            openSource(indexFilePath, source);
        } catch (const std::exception& failure) {
            // The source is not asked again: its size may be what failed. Nothing of the
            // file is known, so the table loop finds nothing.
            m_size = 0;
            m_last = 0;
            showError(ScanStretch::Opening, 0, failure);
        }
    }
    m_header.Read(*m_source);
    m_sink.BeginRecords(mostRecords());
    walkTables();
    finish();
}

int IndexScanner::mostRecords() const
{
    // Each record starts a block of its own behind the first table. Reserving is
    // cheap (untouched room costs no memory), but a huge file is capped: past the cap the
    // list grows as it goes.
    constexpr std::int64_t kMostReserved = 1 << 20;
    const std::int64_t blocks = (m_size - kFirstTableCandidate - kTableLength) / kBlockLength;
    return static_cast<int>(std::clamp<std::int64_t>(blocks + 1, 0, kMostReserved));
}

void IndexScanner::openSource(const std::string& path, ByteSource* source)
{
    if (source) {
        m_source = source;
    } else {
        // A file that cannot be opened reads as an empty one: no table is found and the
        // list stays empty, without a message.
        static_cast<void>(m_file.Open(path));
    }
    m_size = std::min(m_source->End(), kLargestReadableSize);
    m_last = m_size - 4;
}

std::span<const std::uint8_t> IndexScanner::view(std::int64_t offset, std::size_t count)
{
    if (offset >= m_size)
        return {};
    return m_source->View(offset, static_cast<std::size_t>(std::min<std::int64_t>(
                                      static_cast<std::int64_t>(count), m_size - offset)));
}

void IndexScanner::walkTables()
{
    std::int64_t tableOffset = kFirstTableCandidate;
    // Until a table has been read, a failed probe walks to the end of the file.
    std::int64_t regionEnd = m_size;
    for (;;) {
        bool lastTable = false;
        try {
            if (!isTableSignature(view(tableOffset, kSignatureLength))) {
                tableOffset += kTableLength;
                if (tableOffset > m_last)
                    return;
                continue;
            }
            const std::uint32_t next =
                ReadU32(view(tableOffset + kNextTableField, 4), 0).value_or(0);
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
        } catch (const FileReadError& failure) {
            showError(ScanStretch::TableProbe, tableOffset, failure);
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
    // The start-up read knows no redirects: it passes their blocks over like any other.
    const bool findRedirects = m_mode == ScanMode::OpenCommand;
    const bool findLeaks = m_sink.WantsLeakRecords();
    // Blocks are looked at through one long stretch of the file at a time; most of them
    // start no record and cost a four-byte comparison.
    std::span<const std::uint8_t> stretch;
    std::int64_t stretchStart = 0;
    auto bytesAt = [&](std::int64_t position, std::size_t length) {
        const std::int64_t offset = position - stretchStart;
        if (offset < 0 || offset + static_cast<std::int64_t>(length) >
                              static_cast<std::int64_t>(stretch.size())) {
            stretch = view(position, kStretchLength);
            stretchStart = position;
            return stretch.first(std::min(length, stretch.size()));
        }
        return stretch.subspan(static_cast<std::size_t>(offset), length);
    };
    IndexRecordValue record;
    const bool everyField = m_sink.WantsEveryField();
    try {
        // The first block is examined even when the region is already over.
        do {
            const auto first = bytesAt(blockPosition, kShortestRecordView);
            const auto kind = startsRecord(first) ? RecordKindOf(first) : std::nullopt;
            if (!kind || (*kind == RecordKind::Redirect && !findRedirects) ||
                (*kind == RecordKind::Leak && !findLeaks)) {
                blockPosition += kBlockLength;
                continue;
            }
            const std::size_t length = recordViewLength(first);
            const auto bytes = length > first.size() ? bytesAt(blockPosition, length) : first;
            if (everyField)
                ReadRecordValue(bytes, *kind, blockPosition, m_header, record);
            else
                ReadListedFields(bytes, *kind, blockPosition, record);
            m_sink.Record(record);
            // Records are two blocks or longer, except those that say they are one block
            // long (redirects in real files): stepping two blocks there would skip the
            // record behind them. Behind a "LEAK" record the walk goes on as if it had
            // not been found, so the other records stay the same for every reader.
            const bool oneBlock = record.BlockCount == 1u || *kind == RecordKind::Leak;
            blockPosition += oneBlock ? kBlockLength : 2 * kBlockLength;
        } while (blockPosition < regionEnd);
    } catch (const FileReadError& failure) {
        // Only a read error is one of the file; anything else (memory running out while
        // the list grows) is no fault of the evidence and goes to the caller.
        showError(ScanStretch::RecordWalk, blockPosition, failure);
        return false;
    }
    return true;
}

void IndexScanner::finish()
{
    m_file.Close();
    m_sink.EndRecords();
    m_view.SetStatusText("");
    m_view.FinishRead(m_mode == ScanMode::OpenCommand);
}

void IndexScanner::showError(ScanStretch stretch, std::int64_t position,
                             const std::exception& failure)
{
    constexpr std::string_view kOperations[] = {"Open, Seek.", "Seek, Read.",
                                                "Open, Seek, Read, Close."};
    const std::string_view operations = kOperations[static_cast<std::size_t>(stretch)];
    // The two reads word the same messages differently; both wordings are kept.
    const std::string gap = m_mode == ScanMode::OpenCommand ? std::string(21, ' ') : "\t\t\t ";
    std::string text(kErrorTextStart);
    text += gap;
    text += "operations: ";
    text += operations;
    m_view.ShowFileError(text, kFileErrorCaption);
    m_view.FileErrorDetail(stretch, position, failure.what());
}

} // namespace varnok
