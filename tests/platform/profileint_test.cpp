#include <gtest/gtest.h>

#include "platform/profileint.h"

namespace varnok {

TEST(ProfileIntTest, DecimalWithSign)
{
    EXPECT_EQ(ParseProfileInt("65", -1), 65);
    EXPECT_EQ(ParseProfileInt("-1", 7), -1);
    EXPECT_EQ(ParseProfileInt("+12", 7), 12);
    EXPECT_EQ(ParseProfileInt("2147483647", 7), 2147483647);
    EXPECT_EQ(ParseProfileInt("-2147483648", 7), -2147483647 - 1);
}

TEST(ProfileIntTest, HexadecimalWithPrefixes)
{
    EXPECT_EQ(ParseProfileInt("0x1F", 7), 31);
    EXPECT_EQ(ParseProfileInt("0X1f", 7), 31);
    EXPECT_EQ(ParseProfileInt("$1F", 7), 31);
    EXPECT_EQ(ParseProfileInt("$FFFFFFFF", 7), -1);
}

TEST(ProfileIntTest, AnythingElseGivesTheDefault)
{
    for (const char* text : {"", "abc", "12abc", " 12", "0x", "$", "0xG1", "$123456789",
                             "2147483648", "-2147483649", "-", "1.5", "99999999999999999999"})
        EXPECT_EQ(ParseProfileInt(text, 7), 7) << '"' << text << '"';
}

} // namespace varnok
