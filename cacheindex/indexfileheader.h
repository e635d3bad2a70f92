#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "cacheindex/recordlayout.h"

namespace varnok {

class ByteSource;

// The file header as far as records refer to it: the names of the cache folders and the
// allocation bitmap. A copy is kept, so the scan's views of the file may move on.
class IndexFileHeader {
public:
    IndexFileHeader() = default;
    // The folder names point into the copy.
    IndexFileHeader(const IndexFileHeader&) = delete;
    IndexFileHeader& operator=(const IndexFileHeader&) = delete;

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
    // Looked up once: the walk asks for a folder name per record.
    std::array<std::string_view, kMostFolders> m_folderNames{};
    std::size_t m_folderCount = 0;
};

} // namespace varnok
