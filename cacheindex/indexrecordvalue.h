#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "cacheindex/recordreader.h"

namespace varnok {

class IndexFileHeader;

// Everything one record found by the walk holds, as the file holds it. The texts and Bytes
// point into the bytes the scan is looking at (CacheFolderName into its copy of the file
// header): they stay valid only while the sink's Record() call runs, so a sink that keeps
// a record copies what it needs.
//
// A field whose bytes lie past the end of the file is absent (no number, an empty text);
// a text field runs to its NUL, or is cut where the bytes the walk looks at end. Fields a
// redirect record does not have are absent too.
struct IndexRecordValue {
    RecordKind Kind = RecordKind::Url;
    std::string_view Signature; // the record's first four bytes, "URL ", "REDR" or "LEAK"
    std::int64_t Offset = 0;    // of the record's first byte in the file
    std::optional<std::uint32_t> BlockCount;
    // File times (100-nanosecond steps since 1601, UTC).
    std::optional<std::uint64_t> LastModified;
    std::optional<std::uint64_t> LastAccess; // the latest visit
    // DOS date (low half) and time (high half).
    std::optional<std::uint32_t> Expiry;
    std::optional<std::uint32_t> LastChecked;
    std::optional<std::uint32_t> Hits;
    std::optional<std::uint32_t> CachedFileSize;
    std::optional<std::uint8_t> CacheFolderIndex;
    // The folder's name in the header's folder table; empty when the table has no such
    // folder.
    std::string_view CacheFolderName;
    std::string_view CachedFileName;
    // The HTTP headers, as long as the record says they are (cut where the record's bytes
    // end).
    std::string_view Headers;
    // Where the layout marker says the address begins (see ReadRecord), up to its NUL.
    std::string_view Address;
    // USER of an address "Visited: USER@...", empty for any other address.
    std::string_view User;
    // The allocation bitmap marks the record's first block free: a deleted entry. False
    // where the bitmap cannot tell (a short file, a block past its reach).
    bool Recovered = false;
    // The record's bytes from its first byte on, as far as the walk looks at them: at
    // least RecordSpan(kLongestListedAddress) bytes unless the file ends, so ReadRecord
    // reads the listed address and header sample from them for any read.
    std::span<const std::uint8_t> Bytes;
};

// The longest address any read lists; the walk always looks far enough for it.
inline constexpr std::size_t kLongestListedAddress = 385;

/** Sets every field of `value` to those of the record of kind `kind` whose first byte is
 * bytes[0] and lies at `offset` in the file. `bytes` ends early only where the file ends.
 * (The walk fills one value over and over: clearing a fresh one per record cost more than
 * reading the record.) */
void ReadRecordValue(std::span<const std::uint8_t> bytes, RecordKind kind, std::int64_t offset,
                     const IndexFileHeader& header, IndexRecordValue& value);

/** The fields a list of addresses needs, the same as ReadRecordValue sets them: kind,
 * signature, offset, block count, latest visit, address and bytes. The other fields of
 * `value` are left as they are. */
void ReadListedFields(std::span<const std::uint8_t> bytes, RecordKind kind, std::int64_t offset,
                      IndexRecordValue& value);

} // namespace varnok
