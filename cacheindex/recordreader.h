#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "cacheindex/recordlayout.h"

// The two kinds of index record that become list rows.
enum class RecordKind { Url, Redirect };

// What the list needs from one record. Address points into the bytes it was read from.
struct IndexRecord {
    RecordKind Kind = RecordKind::Url;
    // The block count at offset 4 is exactly 1: the record ends with its first block.
    bool OneBlock = false;
    // Latest visit of a "URL " record; nothing for a redirect or when the file ends
    // inside the stamp.
    std::optional<std::uint64_t> VisitTime;
    std::string_view Address;
    // "Content-Type: text" occurs in the header sample behind the address (only worked
    // out when asked for).
    bool TextType = false;
};

// The kind of record a block starts, from its first four bytes; nothing for any other block.
[[nodiscard]] std::optional<RecordKind> RecordKindOf(std::span<const std::uint8_t> block);

// How many bytes from a record's first byte ReadRecord may look at.
[[nodiscard]] constexpr std::size_t RecordSpan(std::size_t longestAddress)
{
    return kUrlAddressMarker + kMarkedAddressShift + longestAddress + kHeaderSampleLength;
}

// Reads the record whose first byte is bytes[0]. `bytes` ends early only where the file
// ends; whatever lies past it counts as absent, so an address or header sample cut off by
// the end of the file ends there. Addresses longer than `longestAddress` are cut.
[[nodiscard]] IndexRecord ReadRecord(std::span<const std::uint8_t> bytes, RecordKind kind,
                                     std::size_t longestAddress, bool checkTextType);

// A little-endian 32-bit number; nothing when its bytes do not all lie within `bytes`.
[[nodiscard]] std::optional<std::uint32_t> ReadU32(std::span<const std::uint8_t> bytes,
                                                   std::size_t offset);
