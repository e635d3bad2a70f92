#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "platform/zonename.h"

namespace varnok {

// TZ names the zone, as a name or as a path into the zone database, and the offset is the
// one in force at the moment asked about, summer time included.
TEST(ZoneNameTest, TzNamesTheZoneAndItsOffsetAtAMoment)
{
    const char* saved = std::getenv("TZ");
    const std::string before = saved ? saved : "";
    constexpr std::time_t kJanuary2004 = 1'074'124'800; // 2004-01-15 00:00 UTC
    constexpr std::time_t kJuly2004 = 1'089'849'600;    // 2004-07-15 00:00 UTC
    const struct {
        const char* tz;
        std::string name;
        long winter;
        long summer;
    } cases[] = {
        {"Europe/Berlin", "Europe/Berlin", 3600, 7200},
        {":America/St_Johns", "America/St_Johns", -12600, -9000},
        {"/usr/share/zoneinfo/Asia/Kolkata", "Asia/Kolkata", 19800, 19800},
        {"UTC", "UTC", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tz);
        ::setenv("TZ", c.tz, 1);
        EXPECT_EQ(LocalZoneName(), c.name);
        EXPECT_EQ(LocalUtcOffsetAt(kJanuary2004), c.winter);
        EXPECT_EQ(LocalUtcOffsetAt(kJuly2004), c.summer);
    }
    if (saved)
        ::setenv("TZ", before.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

} // namespace varnok
