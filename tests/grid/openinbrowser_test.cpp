#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/basegrid.h"
#include "grid/openinbrowser.h"
#include "support/recordingshellservice.h"

// The address column's text as Open in Browser reads it: a markup cell stands for its first
// anchor's target, any other cell for its bytes; only web addresses are handed on.
TEST(OpenInBrowserTest, CellTextsAndRows)
{
    struct Case {
        std::string text;
        bool enableHTML;
        int row;
        std::vector<std::string> opened;
    };
    const Case cases[] = {
        {"http://h.example/a?x&y", false, 1, {"http://h.example/a?x&y"}},
        {"http://h.example/a?x&y", false, 0, {}},
        {"http://h.example/a?x&y", false, 2, {}},
        {"", true, 1, {}},
        {"<A href=\"http://h.example/?a&amp;b\">http://h.example/?a&amp;b</A>",
         true,
         1,
         {"http://h.example/?a&b"}},
        {"<B>see</B> <a HREF=\"ftp://f.example/x\">x</a> <A href=\"http://second/\">y</A>",
         true,
         1,
         {"ftp://f.example/x"}},
        {"<A href=\"http://h.example/\">x</A>", false, 1, {}},
        {"<B>no anchor</B>", true, 1, {}},
        {"<I>open tag <A href=\"http://h.example/\"", true, 1, {}},
        {"<A href=\"file:///etc/passwd\">x</A>", true, 1, {}},
    };
    for (const Case& item : cases) {
        TBaseGrid grid;
        grid.SetRowCountEx(2);
        grid.SetCellEx(kAddressColumn, 0, "URL   ");
        grid.SetCellEx(kAddressColumn, 1, item.text);
        if (item.row == 0)
            grid.SetCellEx(kAddressColumn, 0, item.text);
        grid.EnableHTML = item.enableHTML;
        RecordingShellService shell;
        EXPECT_EQ(OpenRowInBrowser(grid, item.row, shell), !item.opened.empty()) << item.text;
        EXPECT_EQ(shell.Opened(), item.opened) << item.text << " row " << item.row;
    }
}
