#include "cacheindex/visittime.h"

#include <algorithm>
#include <cstdint>
#include <ctime>

namespace varnok {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::uint32_t kSecondsPerDay = 86'400;
// Days from 1 March of year 0 (where the calendar arithmetic below counts from) to
// 1 January 1601 (the file-time epoch).
constexpr std::uint32_t kDaysBefore1601 = 584'694;

constexpr std::int64_t kOffsetBound = 1'000'000'000;

struct CivilTime {
    std::uint32_t year, month, day, hour, minute, second;
};

// Proleptic Gregorian calendar from a day count since 1 January 1601, in unsigned
// whole-number arithmetic (divisions by constants only), so it costs next to nothing
// per record. Years are counted from March so that the leap day ends the year.
void civilFromDays(std::uint32_t daysSince1601, CivilTime& t)
{
    const std::uint32_t days = daysSince1601 + kDaysBefore1601;
    const std::uint32_t era = days / 146'097;
    const std::uint32_t dayOfEra = days - era * 146'097;
    const std::uint32_t yearOfEra =
        (dayOfEra - dayOfEra / 1'460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::uint32_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::uint32_t monthIndex = (5 * dayOfYear + 2) / 153; // March is 0
    t.day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    t.month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    t.year = yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0);
}

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
    // Before 1601, or so far on that not even the day count fits: no year the text can show.
    if (local < 0 || local / kSecondsPerDay > UINT32_MAX - kDaysBefore1601)
        return 0;
    const auto days =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(local) / kSecondsPerDay);
    const auto secondOfDay =
        static_cast<std::uint32_t>(static_cast<std::uint64_t>(local) % kSecondsPerDay);
    CivilTime t{};
    civilFromDays(days, t);
    if (t.year > 9999)
        return 0;
    t.hour = secondOfDay / 3600;
    t.minute = secondOfDay / 60 % 60;
    t.second = secondOfDay % 60;

    char* p = putTwo(out, m_dayFirst ? t.day : t.month);
    *p++ = '/';
    p = putTwo(p, m_dayFirst ? t.month : t.day);
    *p++ = '/';
    p = putFour(p, t.year);
    *p++ = ' ';
    p = putTwo(p, t.hour);
    *p++ = ':';
    p = putTwo(p, t.minute);
    *p++ = ':';
    putTwo(p, t.second);
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
