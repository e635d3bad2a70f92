#pragma once

#include <ctime>
#include <string>

namespace varnok {

/** The name of the local time zone ("Europe/Berlin"): from TZ, else /etc/timezone, else the zone
 * file /etc/localtime links to; "local time" when none of them names one. */
[[nodiscard]] std::string LocalZoneName();

/** The local zone's offset from UTC in seconds at `when` (east positive). */
[[nodiscard]] long LocalUtcOffsetAt(std::time_t when);

} // namespace varnok
