#pragma once

#include <optional>
#include <string_view>

#include "platform/shortdateformat.h"

namespace varnok {

// How the comparisons of a search condition read numbers and dates out of texts.

/** The value of a text made of optional leading blanks, an optional sign, digits, an optional
 * fraction after a full stop and an optional exponent (E or e, optional sign, digits), and nothing
 * else; nothing for any other text, the empty one included. */
[[nodiscard]] std::optional<double> ReadConditionNumber(std::string_view text);

/** A text of three whole numbers joined by the format's separator, taken as day, month and year in
 * the format's order and forming a real calendar date (years 1 to 9999), as the number year * 10000
 * + month * 100 + day; nothing for any other text. */
[[nodiscard]] std::optional<int> ReadConditionDate(std::string_view text,
                                                   const ShortDateFormat& format);

} // namespace varnok
