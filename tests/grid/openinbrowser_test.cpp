#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "grid/table/basegrid.h"
#include "grid/table/openinbrowser.h"
#include "support/recordingshellservice.h"

namespace varnok {

namespace {

using Opened = std::vector<std::string>;

// Which addresses reach the desktop, and in what form: web addresses only, each byte that
// no address may hold as it stands written as %XX, so the desktop gets one whole address.
TEST(OpenInBrowserTest, OnlyWebAddressesOpenWithForbiddenBytesEscaped)
{
    struct Case {
        std::string address;
        std::optional<std::string> handedOver;
    };
    const Case cases[] = {
        {"http://h.example/a?x=1&y=2#top", "http://h.example/a?x=1&y=2#top"},
        {"HTTPS://h.example/s", "HTTPS://h.example/s"},
        {"ftp://user@files.example/a.zip", "ftp://user@files.example/a.zip"},
        {"http://h.example/semi;colon\"quote", "http://h.example/semi;colon%22quote"},
        {"http://h.example/a b\tc", "http://h.example/a%20b%09c"},
        {std::string("http://h.example/\0\x01\x7F", 20), "http://h.example/%00%01%7F"},
        {"http://h.example/caf\xE9\x80", "http://h.example/caf%E9%80"},
        {"http://h.example/<x>{|}\\^`", "http://h.example/%3Cx%3E%7B%7C%7D%5C%5E%60"},
        {"http://h.example/50%25/%zz/%4", "http://h.example/50%25/%25zz/%254"},
        {"http://h.example/\" --new-window file:///",
         "http://h.example/%22%20--new-window%20file:///"},
        {"http:", "http:"},
        {"javascript:alert(1)", std::nullopt},
        {"file:///etc/passwd", std::nullopt},
        {"/usr/bin/xterm", std::nullopt},
        {"C:\\Windows\\system32\\calc.exe", std::nullopt},
        {" http://h.example/", std::nullopt},
        {"httpx://h.example/", std::nullopt},
        {"mailto:a@h.example", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DesktopAddressOf(c.address), c.handedOver) << c.address;
        RecordingShellService shell;
        EXPECT_EQ(OpenWebAddress(shell, c.address),
                  c.handedOver ? OpenOutcome::HandedOver : OpenOutcome::Refused)
            << c.address;
        EXPECT_EQ(shell.Opened(), c.handedOver ? Opened{*c.handedOver} : Opened{}) << c.address;
    }
}

// Open in Browser on a row: the caption row, empty cells and rows past the list open
// nothing and say nothing; a cell that is no web address is refused; an anchor opens its
// decoded target, escaped.
TEST(OpenInBrowserTest, RowsOpenTheirAddressCellOrSayWhyNot)
{
    TBaseGrid grid;
    grid.SetRowCountEx(6);
    grid.SetCellEx(1, 0, "http://caption.example/");
    grid.SetCellEx(1, 1, "http://h.example/a\"b");
    grid.SetCellEx(1, 2, "javascript:alert(1)");
    grid.SetCellEx(1, 4, "<A href=\"http://h.example/?a=1&amp;b=&quot;2&quot;\">x</A>");
    grid.SetCellEx(1, 5, "<A href=\"file:///etc/passwd\">x</A>");
    grid.SetEnableHTML(true);
    struct Case {
        int row;
        OpenOutcome outcome;
        Opened opened;
    };
    const Case cases[] = {
        {0, OpenOutcome::NothingToOpen, {}},
        {1, OpenOutcome::HandedOver, {"http://h.example/a%22b"}},
        {2, OpenOutcome::Refused, {}},
        {3, OpenOutcome::NothingToOpen, {}},
        {4, OpenOutcome::HandedOver, {"http://h.example/?a=1&b=%222%22"}},
        {5, OpenOutcome::Refused, {}},
        {6, OpenOutcome::NothingToOpen, {}},
    };
    for (const Case& c : cases) {
        RecordingShellService shell;
        EXPECT_EQ(OpenRowInBrowser(grid, c.row, shell), c.outcome) << c.row;
        EXPECT_EQ(shell.Opened(), c.opened) << c.row;
    }
}

} // namespace

} // namespace varnok
