#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace varnok {

// Keeps the bytes of the grid's cell texts in a few large blocks instead of one heap string
// per cell: a read of tens of thousands of entries then costs no allocation per text, and
// the texts of a row lie next to each other.
// Stored bytes never move and never change, so a view handed out stays valid until
// Release(); a text that already lies in the store is shared rather than copied, which
// lets rows be copied and moved around (sorting, filtering) without the store growing.
class CellTextStore {
public:
    CellTextStore() = default;
    CellTextStore(const CellTextStore&) = delete;
    CellTextStore& operator=(const CellTextStore&) = delete;

    /** A lasting view of `text`: the text itself when it lies in the store, else a copy. */
    [[nodiscard]] std::string_view Keep(std::string_view text);

    /** Frees every block; every view handed out before becomes invalid. */
    void Release();

private:
    struct BlockFree {
        std::size_t Size = 0;
        void operator()(char* bytes) const noexcept;
    };
    using Block = std::unique_ptr<char[], BlockFree>; // its deleter knows its size
    using BlockIterator = std::vector<Block>::const_iterator;

    [[nodiscard]] bool Holds(std::string_view text) const;
    /** The first block starting above `bytes`, or the end. */
    [[nodiscard]] BlockIterator FirstBlockAbove(const char* bytes) const;
    void AddBlock(std::size_t atLeast);

    std::vector<Block> m_blocks; // lowest address first, for finding the block a text lies in
    char* m_free = nullptr;      // next unused byte of the block being filled
    std::size_t m_freeBytes = 0; // unused bytes behind m_free
};

} // namespace varnok
