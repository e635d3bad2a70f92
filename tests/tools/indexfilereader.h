#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace varnok {

// An independent reading of generated index files for the writer's tests: fields,
// the table chain and hash entries, and the block walk a viewer makes.

[[nodiscard]] std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at);
[[nodiscard]] std::uint64_t Le64(const std::vector<std::uint8_t>& bytes, std::size_t at);
/** NUL-terminated text at `at` (up to the end of the bytes). */
[[nodiscard]] std::string TextAt(const std::vector<std::uint8_t>& bytes, std::size_t at);
[[nodiscard]] std::string SignatureAt(const std::vector<std::uint8_t>& bytes, std::size_t at);

struct HashEntry {
    std::uint32_t Table;
    std::uint32_t Key;
    std::uint32_t RecordOffset;
};

/** Tables from the header's first-table offset along the next-table offsets (at most 1000). */
[[nodiscard]] std::vector<std::uint32_t> TableChain(const std::vector<std::uint8_t>& bytes);
/** Used entries of every table in the chain. */
[[nodiscard]] std::vector<HashEntry> UsedEntries(const std::vector<std::uint8_t>& bytes);

/** Record starts a viewer's walk finds: tables probed from 0x4000 in 4 KB steps, blocks
    from table + 4096 to the next table (or size - 4), two blocks on after a record and
    one after a one-block record. */
[[nodiscard]] std::vector<std::uint32_t> WalkRecords(const std::vector<std::uint8_t>& bytes);

/** The address a viewer reads: at 96/104 for "URL ", 16/24 for "REDR" by the marker byte. */
[[nodiscard]] std::string ViewerAddress(const std::vector<std::uint8_t>& bytes,
                                        std::uint32_t record);

} // namespace varnok
