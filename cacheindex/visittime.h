#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace varnok {

// Turns UTC file times into the list's 19-character date text. The time-zone offset is
// taken once, when the formatter is made, and applied to every stamp: the list shows
// visits in the offset in force while reading (daylight saving included), not in the
// offset that held on the day of the visit.
class VisitTimeFormatter {
public:
    static constexpr std::size_t kTextLength = 19;

    // dateFormat 2: day/month/year; any other value: month/day/year.
    VisitTimeFormatter(int dateFormat, std::int64_t utcOffsetSeconds);

    // The offset of the system time zone (TZ honoured) at this moment, in seconds east of UTC.
    [[nodiscard]] static std::int64_t CurrentUtcOffset();

    // Writes the text (no NUL) to `out`, which holds at least kTextLength characters, and
    // returns its length: kTextLength, or 0 when the local time falls outside the years
    // 1601 to 9999, which the text cannot show.
    std::size_t Format(std::uint64_t fileTime, char* out) const;

    [[nodiscard]] std::string Format(std::uint64_t fileTime) const;

    /** True when the texts are written day/month/year. */
    [[nodiscard]] bool DayFirst() const { return m_dayFirst; }

private:
    bool m_dayFirst;
    std::int64_t m_offset;
};

// 19-character local date text of a UTC file time, month first unless dateFormat is 2;
// empty when the local time falls outside the years 1601 to 9999.
[[nodiscard]] std::string FormatVisitTime(std::uint64_t fileTime, int dateFormat);

} // namespace varnok
