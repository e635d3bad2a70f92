#include "grid/table/celltextstore.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <utility>

#include "platform/largememory.h"

namespace varnok {

namespace {

// The first block is small, so an empty or short list takes little memory; every later
// one is a whole large page of the system, where a long list fills fresh memory at the
// lowest cost. A text longer than a block gets a block of its own size.
constexpr std::size_t kFirstBlockSize = 16 * 1024;
constexpr std::size_t kLaterBlockSize = 2 * 1024 * 1024;

bool isBelow(const char* a, const char* b)
{
    return std::less<const char*>()(a, b);
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
    const auto next = FirstBlockAbove(text.data());
    if (next == m_blocks.begin())
        return false;
    const Block& block = *std::prev(next);
    return !isBelow(block.get() + block.get_deleter().Size, text.data() + text.size());
}

CellTextStore::BlockIterator CellTextStore::FirstBlockAbove(const char* bytes) const
{
    return std::upper_bound(
        m_blocks.begin(), m_blocks.end(), bytes,
        [](const char* lookedFor, const Block& block) { return isBelow(lookedFor, block.get()); });
}

void CellTextStore::AddBlock(std::size_t atLeast)
{
    const std::size_t size =
        std::max(m_blocks.empty() ? kFirstBlockSize : kLaterBlockSize, atLeast);
    // Left uninitialised: every byte handed out is written first.
    Block added(LargeMemoryAllocator<char>().allocate(size), BlockFree{size});
    char* const bytes = added.get();
    m_blocks.insert(FirstBlockAbove(bytes), std::move(added));
    m_free = bytes; // only once the block is kept, should the insertion throw
    m_freeBytes = size;
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

} // namespace varnok
