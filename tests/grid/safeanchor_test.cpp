// The link cell the scan builds for an address and the parser that Open in Browser and the
// HTML writer read it with.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "grid/markup/safeanchor.h"

namespace {

// Addresses made of the bytes that matter to the anchor's syntax, and of any byte at all.
std::vector<std::string> HostileAddresses()
{
    std::vector<std::string> addresses = {
        "",
        "http://a.example/?q=1&r=2",
        "&amp;",
        "&amp",
        "&quot;&lt;&gt;",
        "\">",
        "\"><script>x</script>",
        "</A>",
        "<A href=\"x\">x</A>",
        std::string("a\0b", 3),
    };
    for (int byte = 0; byte < 256; ++byte)
        addresses.push_back("x" + std::string(1, static_cast<char>(byte)) + "y");
    constexpr std::string_view syntax = "&<>\"amp;ltgquoA/= ";
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        std::string address(random() % 24, ' ');
        for (char& c : address)
            c = i % 2 ? syntax[random() % syntax.size()] : static_cast<char>(random() % 256);
        addresses.push_back(address);
    }
    return addresses;
}

TEST(AddressAnchor, EveryByteStringSurvivesBuildThenParse)
{
    EXPECT_EQ(AddressAnchor("a&b\"<>"),
              "<A href=\"a&amp;b&quot;&lt;&gt;\">a&amp;b&quot;&lt;&gt;</A>");
    for (const std::string& address : HostileAddresses())
        EXPECT_EQ(AddressAnchorTarget(AddressAnchor(address)), address);
}

} // namespace
