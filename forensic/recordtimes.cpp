#include "forensic/recordtimes.h"

#include <charconv>
#include <cstring>
#include <utility>

#include "cacheindex/indexrecordvalue.h"

namespace varnok {

namespace {

constexpr std::int64_t kMicrosecondsPerSecond = 1'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;
// File time steps between 1601-01-01 and 1970-01-01, in microseconds.
constexpr std::int64_t kFileTimeEpochShift = 11'644'473'600'000'000;

struct CivilDay {
    std::int64_t Year;
    int Month;
    int Day;
};

// Days since 1970 to the calendar day (Howard Hinnant's algorithm).
CivilDay CivilFromDays(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

void AppendPadded(std::string& out, std::int64_t value, int width)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const auto length = static_cast<int>(result.ptr - digits);
    if (value >= 0 && length < width)
        out.append(static_cast<std::size_t>(width - length), '0');
    out.append(digits, result.ptr);
}

// "00" to "99": the digits of a time are put two at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t value = 0; value < 100; ++value) {
        pairs[2 * value] = static_cast<char>('0' + value / 10);
        pairs[2 * value + 1] = static_cast<char>('0' + value % 10);
    }
    return pairs;
}();

void PutTwoDigits(char* at, std::int64_t value)
{
    std::memcpy(at, &kDigitPairs[static_cast<std::size_t>(2 * value)], 2);
}

void AppendIsoTimeDigits(std::string& out, const CivilDay& civil, std::int64_t secondOfDay,
                         std::int64_t fraction)
{
    // Fixed widths: the digits are put in place, a timeline writes millions of them.
    char text[] = "0000-00-00T00:00:00.000000+00:00";
    PutTwoDigits(text, civil.Year / 100);
    PutTwoDigits(text + 2, civil.Year % 100);
    PutTwoDigits(text + 5, civil.Month);
    PutTwoDigits(text + 8, civil.Day);
    PutTwoDigits(text + 11, secondOfDay / 3600);
    PutTwoDigits(text + 14, secondOfDay / 60 % 60);
    PutTwoDigits(text + 17, secondOfDay % 60);
    PutTwoDigits(text + 20, fraction / 10000);
    PutTwoDigits(text + 22, fraction / 100 % 100);
    PutTwoDigits(text + 24, fraction % 100);
    out.append(text, sizeof text - 1);
}

// What the two file times of a record mean, per kind of index. Daily and weekly history
// indexes keep the time at offset 8 in the local time of the computer that wrote them.
struct FileTimeNames {
    std::string_view Modified;
    std::string_view Visited;
    bool VisitAtOffset8; // the visit is the time at offset 8, and offset 16 the creation
    bool Offset8IsLocal;
};

constexpr FileTimeNames kFileTimeNames[] = {
    {"Content Modification Time", "Last Access Time", false, false}, // cache
    {"Content Modification Time", "Last Access Time", false, false}, // cookie
    {"Unknown Time", "Last Visited Time", false, false},             // history
    {"Unknown Time", "Last Visited Time", false, true},              // daily history
    {"Creation Time", "Last Visited Time", true, true},              // weekly history
};

const FileTimeNames& NamesOf(IndexKind kind)
{
    return kFileTimeNames[static_cast<std::size_t>(kind)];
}

} // namespace

std::int64_t DaysFromCivil(std::int64_t year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::optional<std::int64_t> MicrosecondsFromFileTime(std::uint64_t fileTime)
{
    if (fileTime == 0)
        return std::nullopt;
    return static_cast<std::int64_t>(fileTime / 10) - kFileTimeEpochShift;
}

std::optional<std::int64_t> MicrosecondsFromDosTime(std::uint32_t dosTime)
{
    if (dosTime == 0)
        return std::nullopt;
    const std::uint32_t date = dosTime & 0xFFFF;
    const std::uint32_t time = dosTime >> 16;
    const int day = static_cast<int>(date & 31);
    const int month = static_cast<int>((date >> 5) & 15);
    const int year = 1980 + static_cast<int>(date >> 9);
    const std::int64_t hour = time >> 11;
    const std::int64_t minute = (time >> 5) & 63;
    const std::int64_t second = (time & 31) * 2;
    if (day < 1 || month < 1 || month > 12 || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const std::int64_t seconds =
        DaysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    return seconds * kMicrosecondsPerSecond;
}

std::int64_t SecondsFloor(std::int64_t microseconds)
{
    return FloorDivide(microseconds, kMicrosecondsPerSecond);
}

void AppendIsoTime(std::string& out, std::int64_t microseconds)
{
    const std::int64_t seconds = SecondsFloor(microseconds);
    const std::int64_t fraction = microseconds - seconds * kMicrosecondsPerSecond;
    const std::int64_t days = FloorDivide(seconds, kSecondsPerDay);
    const std::int64_t secondOfDay = seconds - days * kSecondsPerDay;
    CivilDay civil = CivilFromDays(days);
    if (civil.Year < 0 || civil.Year > 9999) {
        // Far outside any real record (a file time may reach the year 60056); the year
        // takes the digits it needs.
        AppendPadded(out, civil.Year, 4);
        civil.Year = 0;
        const std::size_t yearEnd = out.size();
        AppendIsoTimeDigits(out, civil, secondOfDay, fraction);
        out.erase(yearEnd, 4);
        return;
    }
    AppendIsoTimeDigits(out, civil, secondOfDay, fraction);
}
RecordTimes TimesOf(const IndexRecordValue& record, IndexKind kind)
{
    RecordTimes times;
    if (record.LastModified)
        times.Modified = MicrosecondsFromFileTime(*record.LastModified);
    if (record.LastAccess)
        times.Visited = MicrosecondsFromFileTime(*record.LastAccess);
    if (NamesOf(kind).VisitAtOffset8)
        std::swap(times.Modified, times.Visited);
    if (record.Expiry)
        times.Expiry = MicrosecondsFromDosTime(*record.Expiry);
    if (record.LastChecked)
        times.Checked = MicrosecondsFromDosTime(*record.LastChecked);
    return times;
}

RecordEvents EventsOf(const RecordTimes& times, IndexKind kind)
{
    const FileTimeNames& names = NamesOf(kind);
    RecordEvents events;
    auto add = [&events](const std::optional<std::int64_t>& time, std::string_view description,
                         bool local) {
        if (time)
            events.Items[events.Count++] = {*time, description, local};
    };
    add(times.Modified, names.Modified, names.Offset8IsLocal && !names.VisitAtOffset8);
    add(times.Visited, names.Visited, names.Offset8IsLocal && names.VisitAtOffset8);
    add(times.Expiry, "Expiration Time", false);
    add(times.Checked, "Last Checked Time", false);
    return events;
}

} // namespace varnok
