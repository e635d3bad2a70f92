#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varnok {

// Where the scan finds what it reads in a cache index file: the places a hash table may
// start, the 128-byte blocks behind a table, the fields of the two record kinds the walk
// finds, and the header's cache folder table and allocation bitmap. Offsets within a table
// or record count from its first byte.

// File header.
inline constexpr std::int64_t kFileHeaderLength = 0x4000;
inline constexpr std::size_t kFolderCountField = 0x48;
inline constexpr std::size_t kFolderTable = 0x4C; // per folder: file count (4), name (8)
inline constexpr std::size_t kFolderEntryLength = 12;
inline constexpr std::size_t kFolderNameOffset = 4;
inline constexpr std::size_t kFolderNameLength = 8;
inline constexpr std::size_t kMostFolders = 32;
// One bit per block from the end of the header on, lowest bit first; a clear bit marks a
// free block.
inline constexpr std::size_t kAllocationBitmap = 0x250;

// Hash tables.
inline constexpr std::int64_t kFirstTableCandidate = 0x4000;
// Tables are looked for in steps of this length, and every table is taken to be this long.
inline constexpr std::int64_t kTableLength = 0x1000;
inline constexpr std::int64_t kNextTableField = 8; // offset of the next table, 0 for none
inline constexpr std::int64_t kBlockLength = 128;

// Signatures: the first four bytes of a table or record.
inline constexpr std::size_t kSignatureLength = 4;
inline constexpr std::string_view kTableSignature = "HASH";
inline constexpr std::string_view kUrlSignature = "URL ";
inline constexpr std::string_view kRedirectSignature = "REDR";
inline constexpr std::string_view kLeakSignature = "LEAK";

// Record fields.
inline constexpr std::size_t kBlockCountField = 4;
inline constexpr std::size_t kUrlModifiedTimeField = 0x08;
inline constexpr std::size_t kUrlVisitTimeField = 0x10;
inline constexpr std::size_t kUrlExpiryField = 0x18;      // DOS date and time
inline constexpr std::size_t kUrlFileSizeField = 0x20;    // size of the cached copy
inline constexpr std::size_t kUrlFolderIndexField = 0x38; // one byte
inline constexpr std::size_t kUrlFileNameField = 0x3C;    // offset within the record, 0: none
inline constexpr std::size_t kUrlHeadersField = 0x44;     // offset within the record
inline constexpr std::size_t kUrlHeadersLengthField = 0x48;
inline constexpr std::size_t kUrlCheckedTimeField = 0x50; // DOS date and time
inline constexpr std::size_t kUrlHitsField = 0x54;
// The layout marker: a non-zero byte here is the address's first character; with a zero
// byte the address begins kMarkedAddressShift bytes further on.
inline constexpr std::size_t kUrlAddressMarker = 96;
inline constexpr std::size_t kRedirectAddressMarker = 16;
inline constexpr std::size_t kMarkedAddressShift = 8;
// The bytes after a "URL " record's address that are searched for the content type.
inline constexpr std::size_t kHeaderSampleLength = 130;

} // namespace varnok
