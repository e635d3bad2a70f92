#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/shortdateformat.h"

namespace varnok {

TEST(ShortDateFormatTest, OrderAndSeparatorComeFromTheLocalePattern)
{
    using enum DateField;
    const ShortDateFormat monthFirst{};
    const std::vector<std::pair<std::string, ShortDateFormat>> patterns = {
        {"%m/%d/%y", monthFirst},
        {"%D", monthFirst},
        {"%d.%m.%Y", {{Day, Month, Year}, '.'}},
        {"%F", {{Year, Month, Day}, '-'}},
        {"%Oy.%-m.%d", {{Year, Month, Day}, '.'}},
        // Without all three fields once each, or without a separator: the default.
        {"%A %d", monthFirst},
        {"%d%m%Y", monthFirst},
        {"%d/%d/%Y", monthFirst}};
    for (const auto& [pattern, format] : patterns)
        EXPECT_EQ(ShortDateFormatFromPattern(pattern), format) << pattern;

    // The tests run with LC_ALL=C, whose pattern is "%m/%d/%y".
    EXPECT_EQ(SystemShortDateFormat(), monthFirst);
}

} // namespace varnok
