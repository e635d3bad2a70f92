#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "grid/markup/safeanchor.h"
#include "grid/table/anchorpress.h"
#include "support/recordingshellservice.h"

namespace varnok {

using Opened = std::vector<std::string>;

// Targets as the anchor tags of a cell write them; only web addresses ever reach the shell.
TEST(AnchorPressTest, OnlyWebAddressesReachTheShell)
{
    struct Case {
        std::string target;
        Opened opened;
        bool consumed;
    };
    const Case cases[] = {
        {"http://h.example/page.htm", {"http://h.example/page.htm"}, true},
        {"HTTPS://h.example/", {"HTTPS://h.example/"}, true},
        {"ftp://files.example/a.zip", {"ftp://files.example/a.zip"}, true},
        {"http://h/?a=1&amp;b=&lt;2&gt;", {"http://h/?a=1&b=%3C2%3E"}, true},
        {"http://h/?a&b&amp;amp;", {"http://h/?a&b&amp;"}, true},
        {"", {}, false},
        {"javascript:alert(1)", {}, true},
        {"JavaScript:http://x/", {}, true},
        {"file:///etc/passwd", {}, true},
        {"/usr/bin/xterm", {}, true},
        {"C:\\Windows\\system32\\calc.exe", {}, true},
        {" http://h.example/", {}, true},
        {"httpx://h.example/", {}, true},
        {"mailto:a@h.example", {}, true},
        {"http://h.example/&quot; --new-window file:///",
         {"http://h.example/%22%20--new-window%20file:///"},
         true},
        {"http://h.example/\" x", {"http://h.example/%22%20x"}, true},
        {"http://h.example/\x01", {"http://h.example/%01"}, true},
        {"http://h.example/\n-e", {"http://h.example/%0A-e"}, true},
    };
    for (const Case& c : cases) {
        RecordingShellService shell;
        const AnchorPress press = PressAnchor(shell, c.target);
        EXPECT_EQ(shell.Opened(), c.opened) << c.target;
        EXPECT_EQ(press.Consumed, c.consumed) << c.target;
        // Only an anchor that does something shows the hand, and a refused one says so.
        EXPECT_EQ(press.Refused, c.consumed && c.opened.empty()) << c.target;
        EXPECT_EQ(AnchorPressActs(c.target), !c.opened.empty()) << c.target;
        EXPECT_FALSE(press.FocusCell) << c.target;
    }

    // A plain address is not decoded, and a failing desktop changes nothing.
    RecordingShellService failing;
    failing.Succeeds = false;
    EXPECT_EQ(OpenWebAddress(failing, "http://h/?a&amp;b"), OpenOutcome::HandedOver);
    EXPECT_EQ(failing.Opened(), Opened{"http://h/?a&amp;b"});
    EXPECT_EQ(DecodeAnchorTarget("a&amp;b&lt;&gt;&quot;&AMP;&x"), "a&b<>\"&AMP;&x");
}

TEST(AnchorPressTest, CellTargetsNameACellByColumnLettersAndRow)
{
    struct Case {
        const char* target;
        std::optional<GridCell> cell;
    };
    const Case cases[] = {
        {"CELL://B12", GridCell{1, 12}},
        {"cell://a1", GridCell{0, 1}},
        {"Cell://AA3/", GridCell{26, 3}},
        {"see CELL://C0", GridCell{2, 0}},
        {"CELL://12", std::nullopt},
        {"CELL://B", std::nullopt},
        {"CELL://B1x", std::nullopt},
        {"CELL://ABCD1", std::nullopt},
        {"CELL://B1234567890", std::nullopt},
        {"http://h/CELL://B1", GridCell{1, 1}},
        {"CELL://ZZZZZZZZZZZZ1", std::nullopt}, // too many letters, and no overflow counting them
    };
    for (const Case& c : cases) {
        RecordingShellService shell;
        const AnchorPress press = PressAnchor(shell, c.target);
        EXPECT_EQ(press.FocusCell, c.cell) << c.target;
        EXPECT_EQ(CellTargetOf(c.target), c.cell) << c.target;
        // Even a name that names no cell keeps the press from doing anything else.
        EXPECT_TRUE(press.Consumed) << c.target;
        EXPECT_TRUE(shell.Opened().empty()) << c.target;
        EXPECT_FALSE(press.Refused) << c.target;
        EXPECT_EQ(AnchorPressActs(c.target), c.cell.has_value()) << c.target;
    }
}

} // namespace varnok
