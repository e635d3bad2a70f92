#include "cacheindex/indexrecordvalue.h"

#include <algorithm>
#include <cstring>

#include "cacheindex/indexfileheader.h"

namespace varnok {

namespace {

constexpr std::string_view kVisitedPrefix = "Visited: ";

std::string_view textAt(std::span<const std::uint8_t> bytes, std::size_t at)
{
    if (at >= bytes.size())
        return {};
    const char* first = reinterpret_cast<const char*>(bytes.data() + at);
    const std::size_t room = bytes.size() - at;
    const auto* nul = static_cast<const char*>(std::memchr(first, 0, room));
    return {first, nul ? static_cast<std::size_t>(nul - first) : room};
}

// A field that gives the offset of a text within the record; 0 names no text.
std::optional<std::size_t> fieldOffset(std::span<const std::uint8_t> record, std::size_t field)
{
    const std::uint32_t at = ReadU32(record, field).value_or(0);
    if (at == 0 || at >= record.size())
        return std::nullopt;
    return at;
}

std::string_view headersOf(std::span<const std::uint8_t> record)
{
    const std::optional<std::size_t> at = fieldOffset(record, kUrlHeadersField);
    if (!at)
        return {};
    const std::size_t length = std::min<std::size_t>(
        ReadU32(record, kUrlHeadersLengthField).value_or(0), record.size() - *at);
    return {reinterpret_cast<const char*>(record.data() + *at), length};
}

std::string_view userOf(std::string_view address)
{
    if (!address.starts_with(kVisitedPrefix))
        return {};
    const std::string_view rest = address.substr(kVisitedPrefix.size());
    const std::size_t at = rest.find('@');
    return at == std::string_view::npos ? std::string_view() : rest.substr(0, at);
}

void readUrlFields(std::span<const std::uint8_t> bytes, const IndexFileHeader& header,
                   IndexRecordValue& value)
{
    value.LastModified = ReadU64(bytes, kUrlModifiedTimeField);
    value.Expiry = ReadU32(bytes, kUrlExpiryField);
    value.CachedFileSize = ReadU32(bytes, kUrlFileSizeField);
    value.CacheFolderIndex.reset();
    value.CacheFolderName = {};
    if (kUrlFolderIndexField < bytes.size()) {
        value.CacheFolderIndex = bytes[kUrlFolderIndexField];
        value.CacheFolderName = header.FolderName(*value.CacheFolderIndex);
    }
    value.LastChecked = ReadU32(bytes, kUrlCheckedTimeField);
    value.Hits = ReadU32(bytes, kUrlHitsField);
    // The texts the record points at lie within its own blocks.
    const std::size_t length =
        value.BlockCount && *value.BlockCount > 0
            ? static_cast<std::size_t>(std::min<std::uint64_t>(
                  std::uint64_t{*value.BlockCount} * kBlockLength, bytes.size()))
            : bytes.size();
    const std::span<const std::uint8_t> record = bytes.first(length);
    const std::optional<std::size_t> name = fieldOffset(record, kUrlFileNameField);
    value.CachedFileName = name ? textAt(record, *name) : std::string_view();
    value.Headers = headersOf(record);
}

void clearUrlFields(IndexRecordValue& value)
{
    value.LastModified.reset();
    value.Expiry.reset();
    value.CachedFileSize.reset();
    value.CacheFolderIndex.reset();
    value.CacheFolderName = {};
    value.LastChecked.reset();
    value.Hits.reset();
    value.CachedFileName = {};
    value.Headers = {};
}

} // namespace

void ReadListedFields(std::span<const std::uint8_t> bytes, RecordKind kind, std::int64_t offset,
                      IndexRecordValue& value)
{
    value.Kind = kind;
    value.Signature = std::string_view(reinterpret_cast<const char*>(bytes.data()),
                                       std::min(kSignatureLength, bytes.size()));
    value.Offset = offset;
    value.BlockCount = ReadU32(bytes, kBlockCountField);
    if (kind != RecordKind::Redirect)
        value.LastAccess = ReadU64(bytes, kUrlVisitTimeField);
    else
        value.LastAccess.reset();
    const std::optional<std::size_t> start = AddressStart(bytes, kind);
    value.Address = start ? textAt(bytes, *start) : std::string_view();
    value.Bytes = bytes;
}

void ReadRecordValue(std::span<const std::uint8_t> bytes, RecordKind kind, std::int64_t offset,
                     const IndexFileHeader& header, IndexRecordValue& value)
{
    ReadListedFields(bytes, kind, offset, value);
    if (kind != RecordKind::Redirect)
        readUrlFields(bytes, header, value);
    else
        clearUrlFields(value);
    value.User = userOf(value.Address);
    value.Recovered = header.BlockMarkedFree(offset);
    value.Bytes = bytes;
}

} // namespace varnok
