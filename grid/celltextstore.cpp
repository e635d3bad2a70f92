#include "grid/celltextstore.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <utility>

#include "platform/largememory.h"

namespace {

// The first block is small, so an empty or short list takes little memory; every later
// one is a whole large page of the system, where a long list fills fresh memory at the
// lowest cost. A text longer than a block gets a block of its own size.
constexpr std::size_t kFirstBlockSize = 16 * 1024;
constexpr std::size_t kLaterBlockSize = 2 * 1024 * 1024;

// std::less orders any two pointers, also those of different allocations.
bool lowerAddress(const char* a, const char* b)
{
    return std::less<const char*>()(a, b);
}

} // namespace

std::string_view CellTextStore::Keep(std::string_view text)
{
    if (text.empty())
        return {};
    if (holds(text))
        return text;
    if (text.size() > m_freeBytes)
        addBlock(text.size());
    char* const copy = m_free;
    std::memcpy(copy, text.data(), text.size());
    m_free += text.size();
    m_freeBytes -= text.size();
    return {copy, text.size()};
}

bool CellTextStore::holds(std::string_view text) const
{
    // Only the last block starting at or before the text can hold it.
    const auto next = blockAbove(text.data());
    if (next == m_blocks.begin())
        return false;
    const Block& block = *std::prev(next);
    return !lowerAddress(block.get() + block.get_deleter().Size, text.data() + text.size());
}

std::vector<CellTextStore::Block>::const_iterator CellTextStore::blockAbove(const char* data) const
{
    return std::upper_bound(
        m_blocks.begin(), m_blocks.end(), data,
        [](const char* address, const Block& block) { return lowerAddress(address, block.get()); });
}

void CellTextStore::addBlock(std::size_t atLeast)
{
    const std::size_t size =
        std::max(m_blocks.empty() ? kFirstBlockSize : kLaterBlockSize, atLeast);
    // Left uninitialised: every byte handed out is written first.
    Block block(LargeMemoryAllocator<char>().allocate(size), BlockFree{size});
    m_free = block.get();
    m_freeBytes = size;
    m_blocks.insert(blockAbove(m_free), std::move(block));
}

void CellTextStore::Release()
{
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_free = nullptr;
    m_freeBytes = 0;
}

void CellTextStore::BlockFree::operator()(char* bytes) const noexcept
{
    LargeMemoryAllocator<char>().deallocate(bytes, Size);
}
