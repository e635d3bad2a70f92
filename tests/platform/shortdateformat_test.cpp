#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/shortdateformat.h"

TEST(ShortDateFormatTest, OrderAndSeparatorComeFromTheLocalePattern) {
    using enum DateField;
    const ShortDateFormat monthFirst{};
    const std::vector<std::pair<std::string, ShortDateFormat>> patterns = {
        {"%m/%d/%y", monthFirst},
        {"%D", monthFirst},
        {"%d.%m.%Y", {{Day, Month, Year}, '.'}},
        {"%e/%m/%Y", {{Day, Month, Year}, '/'}},
        {"%F", {{Year, Month, Day}, '-'}},
        {"%Oy.%-m.%d", {{Year, Month, Day}, '.'}},
        {"%A %d", monthFirst},    // not all three fields
        {"%d%m%Y", monthFirst},   // no separator
        {"%d/%d/%Y", monthFirst}, // a field twice
        {"", monthFirst}};
    for (const auto& [pattern, format] : patterns)
        EXPECT_EQ(ShortDateFormatFromPattern(pattern), format) << pattern;

    // The tests run with LC_ALL=C, whose pattern is "%m/%d/%y".
    EXPECT_EQ(SystemShortDateFormat(), monthFirst);
}
