#pragma once

#include <string>
#include <string_view>

#include "grid/pagelayout/printclock.h"

namespace varnok {

/** `time` written by a date/time pattern: d dd ddd dddd (day, two digits, short and long day name),
 * m mm mmm mmmm (month, or minutes right after an hour), yy yyyy, h hh, n nn, s ss, z zzz
 * (milliseconds); letters in any case; text in single or double quotes and every other character
 * are copied as they are. */
[[nodiscard]] std::string FormatPrintTime(std::string_view pattern, const TPrintTime& time);

} // namespace varnok
