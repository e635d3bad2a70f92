#include "cacheindex/visittime.h"

#include <algorithm>
#include <cstdint>
#include <ctime>

#include "platform/civilcalendar.h"

namespace varnok {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;
// Days from 1 January 1601 (the file-time epoch) to 1 January 1970.
constexpr std::int64_t kDays1601To1970 = -DaysFromCivil(1601, 1, 1);
constexpr std::int64_t kOffsetBound = 1'000'000'000;

char* putTwo(char* out, std::uint32_t value)
{
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out + 2;
}

char* putFour(char* out, std::uint32_t value)
{
    out = putTwo(out, value / 100);
    return putTwo(out, value % 100);
}

} // namespace

VisitTimeFormatter::VisitTimeFormatter(int dateFormat, std::int64_t utcOffsetSeconds)
    // Real offsets lie within a day of UTC; the bound only keeps the arithmetic defined.
    : m_dayFirst(dateFormat == 2),
      m_offset(std::clamp<std::int64_t>(utcOffsetSeconds, -kOffsetBound, kOffsetBound))
{
}

std::int64_t VisitTimeFormatter::CurrentUtcOffset()
{
    // localtime_r alone may keep a zone it looked up earlier; the offset must be the one
    // in force now, after a change of TZ or of the system's zone too.
    ::tzset();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&now, &local) == nullptr)
        return 0;
    return local.tm_gmtoff;
}

std::size_t VisitTimeFormatter::Format(std::uint64_t fileTime, char* out) const
{
    // Whole seconds: the fraction is dropped, not rounded. The quotient is below 2^61, so
    // adding any real offset cannot overflow.
    const std::int64_t local = static_cast<std::int64_t>(fileTime / kTicksPerSecond) + m_offset;
    // Before 1601, or past the year 9999: no year the text can show.
    if (local < 0)
        return 0;
    const std::int64_t daysSince1601 = local / kSecondsPerDay;
    const auto secondOfDay = static_cast<std::uint32_t>(local % kSecondsPerDay);
    const CivilDate date = CivilFromDays(daysSince1601 - kDays1601To1970);
    if (date.Year > 9999)
        return 0;
    const auto year = static_cast<std::uint32_t>(date.Year);
    const std::uint32_t hour = secondOfDay / 3600;
    const std::uint32_t minute = secondOfDay / 60 % 60;
    const std::uint32_t second = secondOfDay % 60;

    char* p = putTwo(out, m_dayFirst ? date.Day : date.Month);
    *p++ = '/';
    p = putTwo(p, m_dayFirst ? date.Month : date.Day);
    *p++ = '/';
    p = putFour(p, year);
    *p++ = ' ';
    p = putTwo(p, hour);
    *p++ = ':';
    p = putTwo(p, minute);
    *p++ = ':';
    putTwo(p, second);
    return kTextLength;
}

std::string VisitTimeFormatter::Format(std::uint64_t fileTime) const
{
    char text[kTextLength];
    return std::string(text, Format(fileTime, text));
}

std::string FormatVisitTime(std::uint64_t fileTime, int dateFormat)
{
    return VisitTimeFormatter(dateFormat, VisitTimeFormatter::CurrentUtcOffset()).Format(fileTime);
}

} // namespace varnok
