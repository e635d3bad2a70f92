#include "cacheindex/indexfileheader.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "cacheindex/recordlayout.h"
#include "cacheindex/recordreader.h"
#include "platform/bytesource.h"

namespace varnok {

void IndexFileHeader::Read(ByteSource& source)
{
    m_bytes.clear();
    // The header only adds detail to the records: a header that cannot be read leaves the
    // details out and must not change what the walk reports.
    try {
        const auto bytes = source.View(0, static_cast<std::size_t>(kFileHeaderLength));
        m_bytes.assign(bytes.begin(), bytes.end());
    } catch (const std::exception&) {
        m_bytes.clear();
    }
    const std::uint32_t count = ReadU32(m_bytes, kFolderCountField).value_or(0);
    m_folderCount = 0;
    while (m_folderCount < std::min<std::size_t>(count, kMostFolders)) {
        const std::size_t at =
            kFolderTable + m_folderCount * kFolderEntryLength + kFolderNameOffset;
        if (at >= m_bytes.size())
            break;
        const char* name = reinterpret_cast<const char*>(m_bytes.data() + at);
        const std::size_t room = std::min(kFolderNameLength, m_bytes.size() - at);
        const auto* nul = static_cast<const char*>(std::memchr(name, 0, room));
        m_folderNames[m_folderCount++] = {name, nul ? static_cast<std::size_t>(nul - name) : room};
    }
}

std::string_view IndexFileHeader::FolderName(std::uint8_t index) const
{
    return index < m_folderCount ? m_folderNames[index] : std::string_view();
}

bool IndexFileHeader::BlockMarkedFree(std::int64_t offset) const
{
    if (offset < kFileHeaderLength)
        return false;
    const std::int64_t block = (offset - kFileHeaderLength) / kBlockLength;
    const std::int64_t at = static_cast<std::int64_t>(kAllocationBitmap) + block / 8;
    if (at >= static_cast<std::int64_t>(m_bytes.size()))
        return false;
    return (m_bytes[static_cast<std::size_t>(at)] >> (block % 8) & 1) == 0;
}

} // namespace varnok
