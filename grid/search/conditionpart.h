#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "grid/search/conditioncompare.h"
#include "platform/shortdateformat.h"

namespace varnok {

// One part of a search condition (the text between "&", ";" and "^"), in the letter case
// it is compared in. A part matches a text when its comparison holds (see
// ConditionComparison), or else as a wildcard pattern over the whole text: "?" stands for
// any one character, any other character but "*" and "!" for itself; "!" stands for
// nothing and inverts the result of the pattern; a run of "*" is followed by testing the
// rest of the part, by these same rules, against every ending of the remaining text, and
// matches when one of them matches.
//
// A part without "!", ">" and "<" is matched greedily, each piece between runs of "*" at
// its leftmost place. Any other part is matched from its last piece to its first: since
// "*" lets the pieces after a piece start anywhere from its end on, a piece needs only the
// last place from which they match. Each piece's own last place is then found searching
// backwards from there, and each comparison is tested at most once per place of the text,
// not once per piece. Either way a part costs at most about its pieces times the text's
// length, and for usual texts about the text's length.
class ConditionPart {
public:
    ConditionPart(std::string_view part, const ShortDateFormat& dates);

    /** True when the part matches the whole `text`. */
    [[nodiscard]] bool Matches(std::string_view text) const;

private:
    // The part from its start, or from behind one run of "*", up to the next run.
    struct Piece {
        std::string Head;         // the characters before the next "*", "!" left out
        bool Inverted = false;    // an odd number of "!" stands among them
        bool HasWildcard = false; // Head holds "?"
        int Comparison = -1;      // of the whole rest of the part from here, in m_comparisons
    };
    using Place = std::ptrdiff_t; // a place in the text, -1 for none

    [[nodiscard]] bool matchesGreedily(std::string_view text) const;
    [[nodiscard]] bool matchesFromTheEnd(std::string_view text) const;
    [[nodiscard]] static Place lastWildcardMatch(const Piece& piece, bool isLast,
                                                 std::string_view text, Place after, Place above);
    [[nodiscard]] static bool wildcardMatchesAt(const Piece& piece, bool isLast,
                                                std::string_view text, Place pos, Place after);
    [[nodiscard]] static bool headMatchesAt(const Piece& piece, std::string_view text,
                                            std::size_t pos);
    [[nodiscard]] static std::size_t findHead(const Piece& piece, std::string_view text,
                                              std::size_t from);

    std::vector<Piece> m_pieces; // one more than the runs of "*"
    // The comparisons of the pieces; pieces with the same signs ahead of them share one.
    std::vector<ConditionComparison> m_comparisons;
    bool m_greedy = true;
    // The pieces from the second through this one have neither "!" nor a comparison.
    std::size_t m_plainFromSecondThrough = 0;
};

} // namespace varnok
