#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "grid/search/conditioncompare.h"
#include "platform/shortdateformat.h"

// One part of a search condition (the text between "&", ";" and "^"), in the letter case
// it is compared in. A part matches a text when its comparison holds (see
// ConditionComparison), or else as a wildcard pattern over the whole text: "?" stands for
// any one character, any other character but "*" and "!" for itself; "!" stands for
// nothing and inverts the result of the pattern; a run of "*" is followed by testing the
// rest of the part, by these same rules, against every ending of the remaining text, and
// matches when one of them matches.
//
// Matching takes time proportional to the text's length times the part's, never
// exponential in the number of "*": a part without "!", ">" and "<" is matched greedily
// (each piece between runs of "*" at its leftmost place), any other part by a dynamic
// programme over the endings of the text.
class ConditionPart {
public:
    ConditionPart(std::string_view part, const ShortDateFormat& dates);

    /** True when the part matches the whole `text`. */
    [[nodiscard]] bool Matches(std::string_view text) const;

private:
    // The part from its start, or from behind one run of "*", up to the next run.
    struct Piece {
        std::string Head;               // the characters before the next "*", "!" left out
        bool Inverted = false;          // an odd number of "!" stands among them
        bool HasWildcard = false;       // Head holds "?"
        ConditionComparison Comparison; // of the whole rest of the part from here
    };

    [[nodiscard]] bool matchesGreedily(std::string_view text) const;
    [[nodiscard]] bool matchesByEndings(std::string_view text) const;
    [[nodiscard]] static bool headMatchesAt(const Piece& piece, std::string_view text,
                                            std::size_t pos);
    [[nodiscard]] static std::size_t findHead(const Piece& piece, std::string_view text,
                                              std::size_t from);

    std::vector<Piece> m_pieces; // one more than the runs of "*"
    bool m_greedy = true;
};
