#include "platform/largememory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace varnok {

// Large requests are aligned to the large page and usable to their last byte; a table that
// grows from small to large through the allocator keeps every value it held.
TEST(LargeMemoryTest, LargeBlocksAreAlignedAndTablesGrowThroughIt)
{
    constexpr std::size_t bytes = 3 * 1024 * 1024 + 1;
    auto* const memory = static_cast<unsigned char*>(AllocateLargeMemory(bytes));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory) % (2 * 1024 * 1024), 0u);
    std::memset(memory, 0xA5, bytes);
    EXPECT_EQ(memory[bytes - 1], 0xA5);
    FreeLargeMemory(memory, bytes);

    std::vector<std::uint64_t, LargeMemoryAllocator<std::uint64_t>> table;
    for (std::uint64_t i = 0; i < 600000; ++i)
        table.push_back(i * 7);
    for (std::uint64_t i = 0; i < table.size(); i += 997)
        ASSERT_EQ(table[i], i * 7);
    table.clear();
    table.shrink_to_fit();
    EXPECT_EQ(table.capacity(), 0u);
}

} // namespace varnok
