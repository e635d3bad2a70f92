#pragma once

#include <array>
#include <string_view>

namespace varnok {

// How the system writes a short date: the order of day, month and year, and the one
// character between them. Texts typed as dates are read this way.
enum class DateField { Day, Month, Year };

struct ShortDateFormat {
    std::array<DateField, 3> Order{DateField::Month, DateField::Day, DateField::Year};
    char Separator = '/';
    bool operator==(const ShortDateFormat&) const = default;
};

/** The order and separator of a strftime pattern such as "%d.%m.%Y"; the default (month, day, year
 * with "/") when the pattern does not name each of the three fields once. */
[[nodiscard]] ShortDateFormat ShortDateFormatFromPattern(std::string_view pattern);

/** The short date format of the user's locale (LC_ALL, LC_TIME, LANG), read from the C library
 * without touching the process's own locale; the default when it has none. */
[[nodiscard]] ShortDateFormat SystemShortDateFormat();

} // namespace varnok
