#pragma once

#include <cstdint>
#include <initializer_list>

namespace varnok {

// The options of a grid search. Each member's value is its bit in TFindParameters::Bits().
enum TFindParameter : unsigned {
    fnMatchCase = 0,          // compare texts as they are, without upper-casing
    fnMatchFull = 1,          // the whole cell text must equal the search text
    fnMatchRegular = 2,       // the search text is a condition (wildcards, and/or, comparisons)
    fnDirectionLeftRight = 3, // visit the cells row by row instead of column by column
    fnMatchStart = 4,         // the search text must stand at the start of the cell text
    fnFindInCurrentRow = 5,   // search the focused row only
    fnFindInCurrentCol = 6,   // search the focused column only
    fnIncludeFixed = 7,       // search the caption row and the number column too
    fnAutoGoto = 8,           // the grid moves its focus to the found cell itself
    fnIgnoreHTMLTags = 9,     // compare markup cells without their tags
    fnBackward = 10,          // run towards the first cell
};

// A set of TFindParameter members.
class TFindParameters {
public:
    constexpr TFindParameters() = default;
    constexpr TFindParameters(std::initializer_list<TFindParameter> members)
    {
        for (TFindParameter member : members)
            *this += member;
    }

    [[nodiscard]] constexpr bool Contains(TFindParameter member) const
    {
        return (m_bits & bit(member)) != 0;
    }
    constexpr TFindParameters& operator+=(TFindParameter member)
    {
        m_bits = static_cast<std::uint16_t>(m_bits | bit(member));
        return *this;
    }
    /** The set as a number: bit n stands for the member whose value is n. */
    [[nodiscard]] constexpr std::uint16_t Bits() const { return m_bits; }
    constexpr bool operator==(const TFindParameters&) const = default;

private:
    [[nodiscard]] static constexpr std::uint16_t bit(TFindParameter member)
    {
        return static_cast<std::uint16_t>(1U << member);
    }

    std::uint16_t m_bits = 0;
};

} // namespace varnok
