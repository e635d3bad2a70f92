#include "grid/celltextstore.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>

#include "platform/largememory.h"

namespace {

// The first block is small, so an empty or short list takes little memory; every later
// one is a whole large page of the system, where a long list fills fresh memory at the
// lowest cost. A text longer than a block gets a block of its own size.
constexpr std::size_t kFirstBlockSize = 16 * 1024;
constexpr std::size_t kLaterBlockSize = 2 * 1024 * 1024;

bool startsLower(std::string_view a, std::string_view b)
{
    return std::less<const char*>()(a.data(), b.data());
}

} // namespace

std::string_view CellTextStore::Keep(std::string_view text)
{
    if (text.empty())
        return {};
    if (Holds(text))
        return text;
    if (text.size() > m_freeBytes)
        AddBlock(text.size());
    char* const copy = m_free;
    std::memcpy(copy, text.data(), text.size());
    m_free += text.size();
    m_freeBytes -= text.size();
    return {copy, text.size()};
}

bool CellTextStore::Holds(std::string_view text) const
{
    // Only the last block starting at or before the text can hold it. std::less orders any
    // two pointers, also those of different allocations.
    const auto next = std::upper_bound(m_blocksByAddress.begin(), m_blocksByAddress.end(),
                                       std::string_view(text.data(), 0), startsLower);
    if (next == m_blocksByAddress.begin())
        return false;
    const std::string_view block = *std::prev(next);
    return !std::less<const char*>()(block.data() + block.size(), text.data() + text.size());
}

void CellTextStore::AddBlock(std::size_t atLeast)
{
    const std::size_t size =
        std::max(m_blocks.empty() ? kFirstBlockSize : kLaterBlockSize, atLeast);
    // Left uninitialised: every byte handed out is written first.
    m_blocks.push_back(
        Block{BlockBytes(LargeMemoryAllocator<char>().allocate(size), BlockFree{size}), size});
    m_free = m_blocks.back().Bytes.get();
    m_freeBytes = size;
    const std::string_view added(m_free, size);
    m_blocksByAddress.insert(
        std::upper_bound(m_blocksByAddress.begin(), m_blocksByAddress.end(), added, startsLower),
        added);
}

void CellTextStore::Release()
{
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_blocksByAddress.clear();
    m_free = nullptr;
    m_freeBytes = 0;
}

void CellTextStore::BlockFree::operator()(char* bytes) const noexcept
{
    LargeMemoryAllocator<char>().deallocate(bytes, Size);
}
