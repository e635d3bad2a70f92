#include "grid/pagelayout/printclock.h"

#include <ctime>

namespace varnok {

TPrintTime SystemPrintClock::Now() const
{
    timespec now{};
    if (clock_gettime(CLOCK_REALTIME, &now) != 0)
        now = {std::time(nullptr), 0};
    // localtime_r alone may keep a zone it looked up earlier; the page must show the time
    // in the zone in force now, after a change of TZ or of the system's zone too.
    tzset();
    std::tm local{};
    if (localtime_r(&now.tv_sec, &local) == nullptr)
        return {}; // a moment no calendar holds: the clock's start value
    TPrintTime time;
    time.Year = local.tm_year + 1900;
    time.Month = local.tm_mon + 1;
    time.Day = local.tm_mday;
    time.DayOfWeek = local.tm_wday;
    time.Hour = local.tm_hour;
    time.Minute = local.tm_min;
    time.Second = local.tm_sec;
    time.Millisecond = static_cast<int>(now.tv_nsec / 1000000);
    return time;
}

} // namespace varnok
