#include "grid/pagelayout/printclock.h"

#include <ctime>

TPrintTime SystemPrintClock::Now() const
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
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
