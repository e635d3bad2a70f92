#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/search/conditionpart.h"
#include "platform/shortdateformat.h"

namespace varnok {

// A search condition as the grid search reads it with "Regular expressions": parts joined
// by "&" (and), ";" or "^" (or), evaluated from left to right with no precedence. Blanks
// and control characters around the whole condition, and blanks around the joining signs,
// do not count. Unless the condition is case-sensitive, the parts and the texts they are
// matched against are upper-cased as Windows-1252. Each part is a ConditionPart.
//
// So "*.gif" matches texts that end in ".gif", "*.gif;*.jpg" texts that end in either,
// "!*.gif" every text that does not end in ".gif", and "*index*&*.htm" texts that hold
// "index" and end in ".htm".
class MatchCondition {
public:
    MatchCondition(std::string_view condition, bool caseSensitive, const ShortDateFormat& dates);

    /** True when `text` satisfies the condition. */
    [[nodiscard]] bool Matches(std::string_view text) const;
    /** The same for a text already upper-cased where the condition is not case-sensitive. */
    [[nodiscard]] bool MatchesCased(std::string_view text) const;

private:
    enum class Joint { And, Or };
    struct Step {
        Joint JoinedBy = Joint::Or; // how the part joins the result so far (unused for the first)
        ConditionPart Part;
    };

    std::vector<Step> m_steps;
    bool m_caseSensitive = false;
};

// The longest condition the search and the address filter take, in characters. However a
// condition is written, matching it against a text takes no longer than about its length
// times the text's; the limit keeps that short for every row of a large list.
inline constexpr std::size_t kLongestCondition = 1000;

/** The message that refuses `condition` for its length, or nothing when it is accepted. */
[[nodiscard]] std::optional<std::string> LongConditionRefusal(std::string_view condition);

/** True when `text` satisfies `condition` (see MatchCondition). */
[[nodiscard]] bool MatchStrEx(std::string_view condition, std::string_view text, bool caseSensitive,
                              const ShortDateFormat& dates);

/** True when one part of a condition matches `text`, upper-casing both unless case-sensitive. */
[[nodiscard]] bool MatchStr(std::string_view part, std::string_view text, bool caseSensitive,
                            const ShortDateFormat& dates);

/** True when one part of a condition matches `text` as both are written. */
[[nodiscard]] bool Matches(std::string_view part, std::string_view text,
                           const ShortDateFormat& dates);

} // namespace varnok
