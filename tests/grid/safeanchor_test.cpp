// The link cell the scan builds for an address and the parser that Open in Browser and the
// HTML writer read it with.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "grid/markup/safeanchor.h"

namespace varnok {

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
    // Control bytes are percent-encoded in the target only; the shown text keeps them.
    EXPECT_EQ(
        AddressAnchor("http://x.example/a\r\nb\t%0D\x7F"),
        "<A href=\"http://x.example/a%0D%0Ab%09%0D%7F\">http://x.example/a\r\nb\t%0D\x7F</A>");
    // A cell whose target is not the one its shown text gives is no address anchor.
    EXPECT_EQ(AddressAnchorTarget("<A href=\"a\r\nb\">a\r\nb</A>"), std::nullopt);
    EXPECT_EQ(AddressAnchorTarget("<A href=\"a%0D\">a\r</A>"), "a\r");
    EXPECT_EQ(AddressAnchorTarget("<A href=\"a%0D\">a%0D</A>"), "a%0D");
    EXPECT_EQ(AddressAnchorTarget("<A href=\"a%0d\">a\r</A>"), std::nullopt);
    for (const std::string& address : HostileAddresses())
        EXPECT_EQ(AddressAnchorTarget(AddressAnchor(address)), address);
}

} // namespace

} // namespace varnok
