#include "tools/indexwriter.h"

#include <algorithm>
#include <random>

#include "tools/indexbytes.h"

namespace varnok {

std::vector<std::uint8_t> Truncated(const std::vector<std::uint8_t>& bytes, std::size_t length)
{
    return {bytes.begin(),
            bytes.begin() + static_cast<std::ptrdiff_t>(std::min(length, bytes.size()))};
}

std::vector<std::uint8_t> WithBytesAt(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                                      const std::string& patch)
{
    std::vector<std::uint8_t> changed = bytes;
    if (changed.size() < offset + patch.size()) {
        changed.resize(offset + patch.size(), 0);
    }
    PutText(changed, offset, patch);
    return changed;
}

std::vector<std::uint8_t> WithUint32At(const std::vector<std::uint8_t>& bytes, std::size_t offset,
                                       std::uint32_t value)
{
    std::string field(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) {
        field[i] = static_cast<char>(value >> (8 * i));
    }
    return WithBytesAt(bytes, offset, field);
}

std::vector<std::uint8_t> WithNextTableOffset(const std::vector<std::uint8_t>& bytes,
                                              std::uint32_t tableOffset, std::uint32_t nextOffset)
{
    return WithUint32At(bytes, std::size_t{tableOffset} + 8, nextOffset);
}

std::vector<std::uint8_t> WithGarbageBlocks(const std::vector<std::uint8_t>& bytes,
                                            std::size_t offset, int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::string garbage(static_cast<std::size_t>(std::max(count, 0)) * kIndexBlockSize, '\0');
    for (char& c : garbage) {
        c = static_cast<char>(random() & 0xFF);
    }
    return WithBytesAt(bytes, offset, garbage);
}

std::vector<std::uint8_t> WithHeaderFileSize(const std::vector<std::uint8_t>& bytes,
                                             std::uint32_t claimedSize)
{
    return WithUint32At(bytes, 0x1C, claimedSize);
}

} // namespace varnok
