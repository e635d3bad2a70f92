// The date text of the "Latest visit" column.
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <random>

#include "cacheindex/visittime.h"
#include "support/testsupport.h"
#include "tools/indexwriter.h"

namespace varnok {

namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kEpochDifference = 11'644'473'600;

// The expected text worked out through the C library's calendar.
std::string ReferenceText(std::int64_t unixSeconds, bool dayFirst)
{
    const auto t = static_cast<std::time_t>(unixSeconds);
    std::tm fields{};
    gmtime_r(&t, &fields);
    const int first = dayFirst ? fields.tm_mday : fields.tm_mon + 1;
    const int second = dayFirst ? fields.tm_mon + 1 : fields.tm_mday;
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d", first, second,
                  fields.tm_year + 1900, fields.tm_hour, fields.tm_min, fields.tm_sec);
    return text;
}

TEST(FormatVisitTime, MonthFirstUnlessOrderTwo)
{
    ScopedEnv tz("TZ", "UTC");
    const std::uint64_t visit = FileTimeFromUtc(2005, 3, 7, 14, 5, 9);
    EXPECT_EQ(FormatVisitTime(visit, 1), "03/07/2005 14:05:09");
    EXPECT_EQ(FormatVisitTime(visit, 2), "07/03/2005 14:05:09");
    EXPECT_EQ(FormatVisitTime(visit, 3), "03/07/2005 14:05:09");
    EXPECT_EQ(FormatVisitTime(visit, 0), "03/07/2005 14:05:09");
}

TEST(FormatVisitTime, FractionsOfASecondAreDropped)
{
    ScopedEnv tz("TZ", "XYZ-3"); // three hours east of UTC all year
    const std::uint64_t visit = FileTimeFromUtc(2005, 2, 1, 10, 20, 30) + kTicksPerSecond - 1;
    EXPECT_EQ(FormatVisitTime(visit, 2), "01/02/2005 13:20:30");
    EXPECT_EQ(FormatVisitTime(visit, 1), "02/01/2005 13:20:30");
}

// The offset in force while reading is applied to every stamp, whatever the season of
// the visit.
TEST(FormatVisitTime, AppliesTheOffsetInForceNow)
{
    ScopedEnv tz("TZ", "Europe/Berlin");
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    for (const auto& [month, day] : {std::pair{1, 15}, std::pair{7, 1}}) {
        const std::uint64_t visit = FileTimeFromUtc(2005, month, day, 12, 0, 0);
        const auto unixSeconds =
            static_cast<std::int64_t>(visit / kTicksPerSecond) - kEpochDifference + local.tm_gmtoff;
        EXPECT_EQ(FormatVisitTime(visit, 1), ReferenceText(unixSeconds, false));
    }
    EXPECT_EQ(VisitTimeFormatter::CurrentUtcOffset(), local.tm_gmtoff);
}

TEST(FormatVisitTime, StampsOutsideTheShowableYearsGiveNoText)
{
    const std::uint64_t lastSecond = FileTimeFromUtc(9999, 12, 31, 23, 59, 59);
    {
        ScopedEnv tz("TZ", "XYZ+3"); // three hours west
        EXPECT_EQ(FormatVisitTime(0, 1), "");
        EXPECT_EQ(FormatVisitTime(lastSecond, 1), "12/31/9999 20:59:59");
    }
    {
        ScopedEnv tz("TZ", "XYZ-3");
        EXPECT_EQ(FormatVisitTime(0, 1), "01/01/1601 03:00:00");
        EXPECT_EQ(FormatVisitTime(lastSecond, 1), "");
        EXPECT_EQ(FormatVisitTime(UINT64_MAX, 2), "");
        EXPECT_EQ(FormatVisitTime(0x7FFF'FFFF'FFFF'FFFFULL, 1), "");
    }
}

TEST(VisitTimeFormatter, CalendarAgreesWithTheCLibraryOverAllShowableYears)
{
    const VisitTimeFormatter monthFirst(1, 0);
    const VisitTimeFormatter dayFirst(2, 0);
    std::mt19937_64 random(5);
    const std::int64_t first = -kEpochDifference; // 1601-01-01
    const std::int64_t last = 253'402'300'799;    // 9999-12-31 23:59:59
    std::vector<std::int64_t> moments = {first, last, 0, 951'782'400, 951'868'799, 4'107'542'400};
    for (int i = 0; i < 20000; ++i)
        moments.push_back(first + static_cast<std::int64_t>(
                                      random() % static_cast<std::uint64_t>(last - first + 1)));
    for (std::int64_t unixSeconds : moments) {
        const auto fileTime =
            static_cast<std::uint64_t>(unixSeconds + kEpochDifference) * kTicksPerSecond;
        ASSERT_EQ(monthFirst.Format(fileTime), ReferenceText(unixSeconds, false)) << unixSeconds;
        ASSERT_EQ(dayFirst.Format(fileTime), ReferenceText(unixSeconds, true)) << unixSeconds;
    }
}

TEST(VisitTimeFormatter, OffsetIsAppliedAcrossMidnightAndYearEnd)
{
    const std::uint64_t newYear = FileTimeFromUtc(2006, 1, 1, 0, 30, 0);
    EXPECT_EQ(VisitTimeFormatter(1, -3600).Format(newYear), "12/31/2005 23:30:00");
    EXPECT_EQ(VisitTimeFormatter(2, 5 * 3600 + 1800).Format(newYear), "01/01/2006 06:00:00");
    char text[VisitTimeFormatter::kTextLength];
    EXPECT_EQ(VisitTimeFormatter(1, 0).Format(newYear, text), VisitTimeFormatter::kTextLength);
}

} // namespace

} // namespace varnok
