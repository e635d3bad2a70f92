#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Where the scan finds what it reads in a cache index file: the places a hash table may
// start, the 128-byte blocks behind a table, and the fields of the two record kinds that
// become list rows. Offsets within a table or record count from its first byte.

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

// Record fields.
inline constexpr std::size_t kBlockCountField = 4;
inline constexpr std::size_t kUrlVisitTimeField = 16;
// The layout marker: a non-zero byte here is the address's first character; with a zero
// byte the address begins kMarkedAddressShift bytes further on.
inline constexpr std::size_t kUrlAddressMarker = 96;
inline constexpr std::size_t kRedirectAddressMarker = 16;
inline constexpr std::size_t kMarkedAddressShift = 8;
// The bytes after a "URL " record's address that are searched for the content type.
inline constexpr std::size_t kHeaderSampleLength = 130;
