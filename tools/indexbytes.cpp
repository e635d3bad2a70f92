#include "tools/indexbytes.h"

#include <algorithm>

#include "platform/civilcalendar.h"
#include "tools/indexwriter.h"

namespace varnok {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kDaySeconds = 86400;
constexpr std::uint32_t kHashFlagMask = 0x3F;

constexpr std::int64_t kEpochDays1601 = DaysFromCivil(1601, 1, 1);

} // namespace

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i) {
        bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

void Put64(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint64_t value)
{
    Put32(bytes, at, static_cast<std::uint32_t>(value));
    Put32(bytes, at + 4, static_cast<std::uint32_t>(value >> 32));
}

void PutText(std::vector<std::uint8_t>& bytes, std::size_t at, const std::string& text)
{
    if (at + text.size() > bytes.size()) {
        bytes.at(at + text.size() - 1); // throws std::out_of_range
    }
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

std::uint32_t Get32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes.at(at + i)) << (8 * i);
    }
    return value;
}

std::uint32_t AlignUp(std::uint32_t value, std::uint32_t step)
{
    return (value + step - 1) / step * step;
}

std::uint32_t HashKey(const std::string& address)
{
    // FNV-1a: cheap and well spread; the exact function is of no concern to any reader.
    std::uint32_t hash = 2166136261U;
    for (const char c : address) {
        hash = (hash ^ static_cast<std::uint8_t>(c)) * 16777619U;
    }
    hash &= ~kHashFlagMask;
    return hash != 0 ? hash : kHashFlagMask + 1;
}

std::uint32_t DosDateTimeFromFileTime(std::uint64_t fileTime)
{
    const auto seconds = static_cast<std::int64_t>(fileTime / kTicksPerSecond);
    const std::int64_t days = seconds / kDaySeconds + kEpochDays1601;
    const std::int64_t secondOfDay = seconds % kDaySeconds;
    const CivilDate date = CivilFromDays(days);
    const auto year =
        static_cast<std::uint32_t>(std::clamp<std::int64_t>(date.Year - 1980, 0, 127));
    const std::uint32_t dosDate = (year << 9) | (date.Month << 5) | date.Day;
    const auto dosTime = static_cast<std::uint32_t>(
        (secondOfDay / 3600) << 11 | (secondOfDay / 60 % 60) << 5 | (secondOfDay % 60) / 2);
    return dosDate | (dosTime << 16);
}

std::uint64_t FileTimeFromUtc(int year, int month, int day, int hour, int minute, int second)
{
    const std::int64_t days =
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
        kEpochDays1601;
    const std::int64_t seconds = days * kDaySeconds + hour * 3600 + minute * 60 + second;
    return static_cast<std::uint64_t>(seconds) * kTicksPerSecond;
}

} // namespace varnok
