#pragma once

#include <string_view>

namespace varnok {

// The order of the list's visit-time texts, "%02d/%02d/%04d %02d:%02d:%02d" with the month
// or the day first: by the time they stand for (year, month, day, hour, minute, second),
// not by their characters, so that 01/21/2005 comes after 03/14/2004. A text of another
// form (an empty cell, where a stamp could not be shown) comes before every time; such
// texts order among themselves by their bytes.
//
// Returns +1, 0 or -1 as `left` is later than, the same as or earlier than `right`.
[[nodiscard]] int CompareVisitTimes(std::string_view left, std::string_view right, bool dayFirst);

} // namespace varnok
