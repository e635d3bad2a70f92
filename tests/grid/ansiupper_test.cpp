#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "grid/search/ansiupper.h"

namespace varnok {

TEST(AnsiUpperTest, CapitalsOfWindows1252NotOfTheCLocale)
{
    const std::vector<std::pair<unsigned char, unsigned char>> pairs = {
        {'a', 'A'},   {'z', 'Z'},   {'A', 'A'},   {'`', '`'},   {'{', '{'},   {'0', '0'},
        {0xE0, 0xC0}, {0xE9, 0xC9}, {0xF6, 0xD6}, {0xF7, 0xF7}, {0xF8, 0xD8}, {0xFE, 0xDE},
        {0xFF, 0x9F}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0x8A, 0x8A}, {0xDF, 0xDF},
        {0xB5, 0xB5}, {0xC0, 0xC0}, {0xD7, 0xD7}, {0x80, 0x80}, {0x00, 0x00}};
    for (const auto& [lower, upper] : pairs)
        EXPECT_EQ(AnsiUpperCase(std::string(1, static_cast<char>(lower))),
                  std::string(1, static_cast<char>(upper)))
            << "byte " << int(lower);

    // Whole texts fold as their bytes do, whether they are read a word or a byte at a
    // time; every capital is its own capital, so folding twice changes nothing.
    std::string all;
    std::string byByte;
    for (int code = 0; code < 256; ++code) {
        all += static_cast<char>(code);
        byByte += AnsiUpperCase(std::string(1, static_cast<char>(code)));
    }
    const std::string once = AnsiUpperCase(all);
    EXPECT_EQ(once, byByte);
    EXPECT_EQ(AnsiUpperCase(once), once);
    std::string reused = "an older, longer text whose memory is taken over";
    AnsiUpperCaseInto(all, reused);
    EXPECT_EQ(reused, once);
}

} // namespace varnok
