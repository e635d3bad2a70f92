#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "cacheindex/recordlayout.h"

namespace varnok {

// The kinds of index record the walk finds. A "LEAK" record (a cached file that could not
// be deleted) has the layout of a "URL " record; only readers that ask for it get it.
enum class RecordKind { Url, Redirect, Leak };

// The address of one record as a list shows it. Address points into the bytes it was read
// from.
struct IndexRecord {
    RecordKind Kind = RecordKind::Url;
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

// Where the address of a record whose first byte is bytes[0] begins: by the layout marker,
// at the marker or kMarkedAddressShift bytes behind it; nothing when the bytes end first.
[[nodiscard]] std::optional<std::size_t> AddressStart(std::span<const std::uint8_t> bytes,
                                                      RecordKind kind);

// Little-endian numbers at a position known to lie inside the bytes.
[[nodiscard]] inline std::uint32_t Le32At(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
[[nodiscard]] inline std::uint64_t Le64At(const std::uint8_t* p)
{
    return static_cast<std::uint64_t>(Le32At(p + 4)) << 32 | Le32At(p);
}

// Little-endian numbers; nothing when their bytes do not all lie within `bytes`. Inline:
// the walk reads a dozen of them per record.
[[nodiscard]] inline std::optional<std::uint32_t> ReadU32(std::span<const std::uint8_t> bytes,
                                                          std::size_t offset)
{
    if (offset > bytes.size() || bytes.size() - offset < 4)
        return std::nullopt;
    return Le32At(bytes.data() + offset);
}
[[nodiscard]] inline std::optional<std::uint64_t> ReadU64(std::span<const std::uint8_t> bytes,
                                                          std::size_t offset)
{
    if (offset > bytes.size() || bytes.size() - offset < 8)
        return std::nullopt;
    return Le64At(bytes.data() + offset);
}

} // namespace varnok
