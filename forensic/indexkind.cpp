#include "forensic/indexkind.h"

#include <optional>

#include "platform/civilcalendar.h"

namespace varnok {

namespace {

constexpr std::string_view kCookiePrefix = "Cookie:";
constexpr std::string_view kVisitedPrefix = "Visited:";
// ":" + two dates of eight digits + ":"
constexpr std::size_t kPeriodPrefixLength = 18;

// Days since 1970 of the date "YYYYMMDD" at `text`; nothing when it is no date.
std::optional<std::int64_t> DayOf(std::string_view text)
{
    int value[3] = {};
    constexpr std::size_t kWidths[3] = {4, 2, 2};
    std::size_t at = 0;
    for (std::size_t part = 0; part < 3; ++part) {
        for (std::size_t digit = 0; digit < kWidths[part]; ++digit, ++at) {
            const char c = text[at];
            if (c < '0' || c > '9')
                return std::nullopt;
            value[part] = value[part] * 10 + (c - '0');
        }
    }
    if (value[1] < 1 || value[1] > 12 || value[2] < 1 || value[2] > 31)
        return std::nullopt;
    return DaysFromCivil(value[0], static_cast<unsigned>(value[1]),
                         static_cast<unsigned>(value[2]));
}

} // namespace

IndexKind IndexKindOfAddress(std::string_view address)
{
    if (address.starts_with(kCookiePrefix))
        return IndexKind::Cookie;
    if (address.starts_with(kVisitedPrefix))
        return IndexKind::History;
    if (address.size() >= kPeriodPrefixLength && address[0] == ':' &&
        address[kPeriodPrefixLength - 1] == ':') {
        const std::optional<std::int64_t> first = DayOf(address.substr(1, 8));
        const std::optional<std::int64_t> last = DayOf(address.substr(9, 8));
        if (first && last)
            return *last - *first == 1 ? IndexKind::HistoryDaily : IndexKind::HistoryWeekly;
    }
    return IndexKind::Cache;
}

std::string_view IndexKindName(IndexKind kind)
{
    constexpr std::string_view kNames[] = {"cache", "cookie", "history", "history-daily",
                                           "history-weekly"};
    return kNames[static_cast<std::size_t>(kind)];
}

} // namespace varnok
