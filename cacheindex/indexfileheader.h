#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class ByteSource;

// The file header as far as records refer to it: the names of the cache folders and the
// allocation bitmap. A copy is kept, so the scan's views of the file may move on.
class IndexFileHeader {
public:
    /** Copies the header from `source`; a file shorter than the header gives what it holds,
     * one that cannot be read gives an empty header. Never throws a read error. */
    void Read(ByteSource& source);

    /** The name of cache folder `index` as the folder table spells it (up to 8 characters);
     * empty for an index the table does not hold. */
    [[nodiscard]] std::string_view FolderName(std::uint8_t index) const;

    /** True when the bitmap marks the block at `offset` free; false where it cannot tell. */
    [[nodiscard]] bool BlockMarkedFree(std::int64_t offset) const;

private:
    std::vector<std::uint8_t> m_bytes;
};
