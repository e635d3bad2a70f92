#include "cacheindex/visittime.h"

#include <ctime>

#include "cacheindex/indexscan.h"

namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;
// Seconds from 1 January 1601 (the file-time epoch) to 1 January 1970.
constexpr std::int64_t kEpochDifference = 11'644'473'600;

struct CivilTime {
    std::int64_t year;
    int month, day, hour, minute, second;
};

// Proleptic Gregorian calendar from a day count since 1 January 1970 (days before it
// negative), in whole-number arithmetic so it costs nothing per record.
void civilFromDays(std::int64_t days, CivilTime& t)
{
    days += 719'468;
    const std::int64_t era = (days >= 0 ? days : days - 146'096) / 146'097;
    const std::int64_t dayOfEra = days - era * 146'097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1'460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153; // March is 0
    t.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    t.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    t.year = yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0);
}

char* putTwo(char* out, int value)
{
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out + 2;
}

char* putFour(char* out, int value)
{
    out = putTwo(out, value / 100);
    return putTwo(out, value % 100);
}

} // namespace

VisitTimeFormatter::VisitTimeFormatter(int dateFormat, std::int64_t utcOffsetSeconds)
    : m_dayFirst(dateFormat == 2), m_offset(utcOffsetSeconds)
{
}

std::int64_t VisitTimeFormatter::CurrentUtcOffset()
{
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
    const auto seconds = static_cast<std::int64_t>(fileTime / kTicksPerSecond);
    const std::int64_t unixSeconds = seconds + m_offset - kEpochDifference;
    std::int64_t days = unixSeconds / kSecondsPerDay;
    std::int64_t secondOfDay = unixSeconds % kSecondsPerDay;
    if (secondOfDay < 0) {
        secondOfDay += kSecondsPerDay;
        --days;
    }
    CivilTime t{};
    civilFromDays(days, t);
    if (t.year < 1601 || t.year > 9999)
        return 0;
    t.hour = static_cast<int>(secondOfDay / 3600);
    t.minute = static_cast<int>(secondOfDay / 60 % 60);
    t.second = static_cast<int>(secondOfDay % 60);

    char* p = putTwo(out, m_dayFirst ? t.day : t.month);
    *p++ = '/';
    p = putTwo(p, m_dayFirst ? t.month : t.day);
    *p++ = '/';
    p = putFour(p, static_cast<int>(t.year));
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
