#include <gtest/gtest.h>

#include <cstdlib>

#include "grid/pagelayout/printclock.h"
#include "support/testsupport.h"

namespace varnok {

namespace {

int minuteOfDay(const TPrintTime& time)
{
    return time.Hour * 60 + time.Minute;
}

} // namespace

// The time printed in the page header follows the zone in force when the page is printed,
// also when TZ changed after the clock last read it.
TEST(SystemPrintClockTest, ReadsTheTimeInTheZoneInForceNow)
{
    const ScopedEnv zone("TZ", "UTC0");
    const SystemPrintClock clock;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const TPrintTime utc = clock.Now();
        setenv("TZ", "IST-5:30", 1); // as a user changes it: no one tells the clock
        const TPrintTime india = clock.Now();
        setenv("TZ", "UTC0", 1);
        const TPrintTime utcAgain = clock.Now();
        if (minuteOfDay(utc) != minuteOfDay(utcAgain))
            continue; // a minute turned between the readings
        EXPECT_EQ((minuteOfDay(india) - minuteOfDay(utc) + 24 * 60) % (24 * 60), 5 * 60 + 30);
        return;
    }
    ADD_FAILURE() << "the minute kept turning";
}

} // namespace varnok
