#include "forensic/recordtimes.h"

#include <charconv>
#include <cstring>
#include <string_view>
#include <utility>

#include "cacheindex/indexrecordvalue.h"
#include "platform/civilcalendar.h"

namespace varnok {

namespace {

constexpr std::int64_t kMicrosecondsPerSecond = 1'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;
// File time steps between 1601-01-01 and 1970-01-01, in microseconds.
constexpr std::int64_t kFileTimeEpochShift = 11'644'473'600'000'000;

std::int64_t FloorDivide(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
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

void PutTwoDigits(char* at, std::uint32_t value)
{
    std::memcpy(at, &kDigitPairs[2 * static_cast<std::size_t>(value)], 2);
}

// "MM-DDTHH:MM:SS.ffffff+00:00", all but the year, put in place two digits at a time, in
// unsigned 32-bit arithmetic (every part is small and not negative): a timeline writes
// millions of them.
char* PutIsoTimeAfterYear(char* at, const CivilDate& civil, std::uint32_t secondOfDay,
                          std::uint32_t fraction)
{
    constexpr std::string_view kPattern = "-00-00T00:00:00.000000+00:00";
    std::memcpy(at, kPattern.data(), kPattern.size());
    const std::uint32_t hour = secondOfDay / 3600;
    const std::uint32_t secondOfHour = secondOfDay - hour * 3600;
    const std::uint32_t minute = secondOfHour / 60;
    PutTwoDigits(at + 1, static_cast<std::uint32_t>(civil.Month));
    PutTwoDigits(at + 4, static_cast<std::uint32_t>(civil.Day));
    PutTwoDigits(at + 7, hour);
    PutTwoDigits(at + 10, minute);
    PutTwoDigits(at + 13, secondOfHour - minute * 60);
    const std::uint32_t fractionHigh = fraction / 10000;
    const std::uint32_t fractionLow = fraction - fractionHigh * 10000;
    PutTwoDigits(at + 16, fractionHigh);
    PutTwoDigits(at + 18, fractionLow / 100);
    PutTwoDigits(at + 20, fractionLow % 100);
    return at + kPattern.size();
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
    const std::uint32_t day = date & 31;
    const std::uint32_t month = (date >> 5) & 15;
    const std::int64_t year = 1980 + (date >> 9);
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

char* PutIsoTime(char* at, std::int64_t microseconds)
{
    const std::int64_t seconds = SecondsFloor(microseconds);
    const std::int64_t fraction = microseconds - seconds * kMicrosecondsPerSecond;
    const std::int64_t days = FloorDivide(seconds, kSecondsPerDay);
    const std::int64_t secondOfDay = seconds - days * kSecondsPerDay;
    const CivilDate civil = CivilFromDays(days);
    if (civil.Year >= 0 && civil.Year <= 9999) {
        const auto year = static_cast<std::uint32_t>(civil.Year);
        PutTwoDigits(at, year / 100);
        PutTwoDigits(at + 2, year % 100);
        at += 4;
    } else {
        // Far outside any real record (a file time may reach the year 60056); the year
        // takes the digits it needs.
        at = std::to_chars(at, at + 8, civil.Year).ptr;
    }
    return PutIsoTimeAfterYear(at, civil, static_cast<std::uint32_t>(secondOfDay),
                               static_cast<std::uint32_t>(fraction));
}

char* PutTimestamp(char* at, std::int64_t microseconds)
{
    // Digits from the right, two at a time, into a scratch as wide as the widest number.
    constexpr std::size_t kMostDigits = 20;
    char digits[kMostDigits];
    char* first = digits + kMostDigits;
    std::uint64_t value = microseconds < 0 ? 0 - static_cast<std::uint64_t>(microseconds)
                                           : static_cast<std::uint64_t>(microseconds);
    while (value >= 100) {
        first -= 2;
        PutTwoDigits(first, static_cast<std::uint32_t>(value % 100));
        value /= 100;
    }
    if (value >= 10) {
        first -= 2;
        PutTwoDigits(first, static_cast<std::uint32_t>(value));
    } else {
        *--first = static_cast<char>('0' + value);
    }
    if (microseconds < 0)
        *at++ = '-';
    const auto length = static_cast<std::size_t>(digits + kMostDigits - first);
    std::memcpy(at, first, length);
    return at + length;
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
