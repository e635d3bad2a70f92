#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/shortdateformat.h"

namespace varnok {

// The comparisons a part of a search condition may hold: ">" (">=") tests whether a text
// is greater than (or equal to) the operand written after it, "<" ("<=") whether it is
// less. The operand runs from behind the sign and its blanks to the next blank, "&", "|"
// or the end. Texts compare as numbers when both read as numbers, else as dates when both
// read as dates, else byte by byte (unsigned) over at most 255 bytes.
class ConditionComparison {
public:
    ConditionComparison(std::string_view part, const ShortDateFormat& dates);

    /** True when the greater test or the less test holds for `text`. */
    [[nodiscard]] bool Holds(std::string_view text) const;

private:
    struct Operand {
        std::string Text;
        bool OrEqual = false;
        std::optional<double> Number;
        std::optional<int> Date;
    };

    [[nodiscard]] static std::optional<Operand> operandAfter(std::string_view part, char sign,
                                                             const ShortDateFormat& dates);
    // Negative, zero or positive as `text` is below, equal to or above the operand.
    [[nodiscard]] int compare(std::string_view text, const Operand& operand) const;

    std::optional<Operand> m_greater;
    std::optional<Operand> m_less;
    ShortDateFormat m_dates;
};

} // namespace varnok
