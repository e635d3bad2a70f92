#include <gtest/gtest.h>

#include <sstream>

#include "grid/markup/safeanchor.h"
#include "grid/resultgrid.h"
#include "gridfixtures.h"

namespace varnok {

namespace {

const std::string tableLine =
    "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" width=\"100%\">\r\n";
const std::string captionRow = "<tr>\r\n"
                               "<td bgcolor=\"#C0C0C0\"><b>No.</b></td>\r\n"
                               "<td bgcolor=\"#C0C0C0\"><b>URL   </b></td>\r\n"
                               "<td bgcolor=\"#C0C0C0\"><b>Latest visit</b></td>\r\n"
                               "</tr>\r\n";

// One cell of an entry row: its background, black text.
std::string entryCell(const std::string& background, const std::string& text)
{
    return "<td bgcolor=\"" + background + "\"><font color=\"#000000\">" + text +
           "</font></td>\r\n";
}

// An entry row as the configured colours and fonts make it: column 0 bold on button face.
std::string entryRow(const std::string& number, const std::string& address,
                     const std::string& visit)
{
    return "<tr>\r\n" + entryCell("#C0C0C0", "<b>" + number + "</b>") +
           entryCell("#FFFFFF", address) + entryCell("#FFFFFF", visit) + "</tr>\r\n";
}

std::string html(const TResultGrid& grid)
{
    std::ostringstream out;
    EXPECT_TRUE(grid.SaveToHTML(out));
    return out.str();
}

// The HTML of an entry row's address cell holding `address`.
std::string addressCell(const std::string& address)
{
    TResultGrid grid;
    FillCaptions(grid);
    AddEntry(grid, 1, "1", address, "t");
    const std::string text = html(grid);
    const std::string start = "<td bgcolor=\"#FFFFFF\"><font color=\"#000000\">";
    const std::size_t from = text.find(start);
    const std::size_t to = text.find("</font></td>\r\n", from);
    if (from == std::string::npos || to == std::string::npos)
        return "(no address cell in " + text + ")";
    return text.substr(from + start.size(), to - from - start.size());
}

} // namespace

TEST(HtmlWriterTest, WritesCaptionRowAndEntryRowsWithColoursAndStyles)
{
    TResultGrid grid;
    FillExampleList(grid);
    EXPECT_EQ(
        html(grid),
        tableLine + captionRow +
            "<tr>\r\n"
            "<td bgcolor=\"#C0C0C0\"><font color=\"#000000\"><b>1</b></font></td>\r\n"
            "<td bgcolor=\"#FFFFFF\"><font color=\"#000000\">x.htm</font></td>\r\n"
            "<td bgcolor=\"#FFFFFF\"><font color=\"#000000\">05/06/2004 10:11:12</font></td>\r\n"
            "</tr>\r\n"
            "</table>\r\n");
    // Without fixed cells the captions and numbers stay out.
    grid.IncludeFixedCells = false;
    EXPECT_EQ(
        html(grid),
        tableLine +
            "<tr>\r\n"
            "<td bgcolor=\"#FFFFFF\"><font color=\"#000000\">x.htm</font></td>\r\n"
            "<td bgcolor=\"#FFFFFF\"><font color=\"#000000\">05/06/2004 10:11:12</font></td>\r\n"
            "</tr>\r\n"
            "</table>\r\n");
}

TEST(HtmlWriterTest, ClearedGridHasLineBreaksForEmptyCells)
{
    TResultGrid grid;
    FillExampleList(grid);
    grid.Clear();
    grid.SetRowCountEx(2);
    EXPECT_EQ(html(grid), tableLine +
                              "<tr>\r\n"
                              "<td bgcolor=\"#C0C0C0\"><b><br></b></td>\r\n"
                              "<td bgcolor=\"#C0C0C0\"><b><br></b></td>\r\n"
                              "<td bgcolor=\"#C0C0C0\"><b><br></b></td>\r\n"
                              "</tr>\r\n" +
                              entryRow("<br>", "<br>", "<br>") + "</table>\r\n");
}

TEST(HtmlWriterTest, WithoutFixedRowRowZeroIsAnEntryRow)
{
    TResultGrid grid;
    grid.SetRowCountEx(1);
    grid.SetCellEx(0, 0, "No.");
    grid.SetCellEx(1, 0, "a");
    grid.SetCellEx(2, 0, "b");
    EXPECT_EQ(html(grid), tableLine + entryRow("No.", "a", "b") + "</table>\r\n");
}

TEST(HtmlWriterTest, LineBreaksBecomeBrAndLfStays)
{
    EXPECT_EQ(addressCell("a\r\nb"), "a<br>\nb");
    EXPECT_EQ(addressCell("a\rb\nc"), "a<br>b\nc");
}

TEST(HtmlWriterTest, WebAnchorsStayLinks)
{
    EXPECT_EQ(addressCell(Anchor("http://www.example.com/")), Anchor("http://www.example.com/"));
    EXPECT_EQ(addressCell(Anchor("HTTPS://a/?q=1&amp;r=&quot;2&quot;")),
              Anchor("HTTPS://a/?q=1&amp;r=&quot;2&quot;"));
    EXPECT_EQ(addressCell(Anchor("ftp://files.example.com/a&lt;b&gt;")),
              Anchor("ftp://files.example.com/a&lt;b&gt;"));
}

TEST(HtmlWriterTest, AnchorsWithOtherTargetsBecomeEscapedText)
{
    EXPECT_EQ(addressCell(Anchor("javascript:alert(&quot;x&quot;)")), "javascript:alert(\"x\")");
    EXPECT_EQ(addressCell(Anchor("file:///C:/a&amp;b&lt;script&gt;")),
              "file:///C:/a&amp;b&lt;script&gt;");
    EXPECT_EQ(addressCell(Anchor("Visited: user@http://x/")), "Visited: user@http://x/");
    EXPECT_EQ(addressCell(Anchor(" http://x/")), " http://x/");
    // Control characters never go into a link.
    EXPECT_EQ(addressCell(AddressAnchor("http://x/\r\ny")), "http://x/<br>\ny");
    EXPECT_EQ(addressCell(AddressAnchor("http://x/\ty")), "http://x/\ty");
    EXPECT_EQ(addressCell(Anchor("")), "<br>");
}

TEST(HtmlWriterTest, OtherMarkupIsEscaped)
{
    EXPECT_EQ(addressCell("<script>alert(1)</script>"), "&lt;script&gt;alert(1)&lt;/script&gt;");
    EXPECT_EQ(addressCell("http://a/?b=1&c=2"), "http://a/?b=1&amp;c=2");
    EXPECT_EQ(addressCell("say \"hi\""), "say \"hi\"");
    // Anchors not in the exact form the scan builds are text, whatever their target.
    EXPECT_EQ(addressCell("<A href=\"http://x/\">click</A>"),
              "&lt;A href=\"http://x/\"&gt;click&lt;/A&gt;");
    EXPECT_EQ(addressCell("<A href=\"http://x/\" onmouseover=\"alert(1)\">http://x/</A>"),
              "&lt;A href=\"http://x/\" onmouseover=\"alert(1)\"&gt;http://x/&lt;/A&gt;");
    EXPECT_EQ(addressCell("<A href=\"http://x/\"><script>x</script></A>"),
              "&lt;A href=\"http://x/\"&gt;&lt;script&gt;x&lt;/script&gt;&lt;/A&gt;");
    EXPECT_EQ(addressCell("<A href=\"http://x/&\">http://x/&</A>"),
              "&lt;A href=\"http://x/&amp;\"&gt;http://x/&amp;&lt;/A&gt;");
    // The same text twice, but with a raw quote that would break out of the attribute.
    EXPECT_EQ(addressCell(Anchor("http://x/\" onclick=\"y")),
              "&lt;A href=\"http://x/\" onclick=\"y\"&gt;http://x/\" onclick=\"y&lt;/A&gt;");
    EXPECT_EQ(addressCell("<a href=\"http://x/\">http://x/</a>"),
              "&lt;a href=\"http://x/\"&gt;http://x/&lt;/a&gt;");
}

TEST(HtmlWriterTest, CaptionsAreEscapedToo)
{
    TResultGrid grid;
    FillExampleList(grid);
    grid.SetCellEx(1, 0, "<i>URL</i>");
    EXPECT_NE(html(grid).find("<td bgcolor=\"#C0C0C0\"><b>&lt;i&gt;URL&lt;/i&gt;</b></td>\r\n"),
              std::string::npos);
}

TEST(HtmlWriterTest, ColoursFontsAndSettingsShapeTheCells)
{
    TResultGrid grid;
    FillExampleList(grid);
    TGridFont font = grid.Font();
    font.Italic = true;
    font.Underline = true;
    font.Bold = true;
    font.Color = RGBColor(0x12, 0x34, 0x56);
    grid.SetFont(font);
    grid.Color = RGBColor(0xAB, 0xCD, 0xEF);
    grid.SystemColors.Set(15, RGBColor(0xEC, 0xE9, 0xD8)); // button face of another scheme
    grid.HTMLSettings.BorderSize = 2;
    grid.HTMLSettings.CellPadding = 3;
    grid.HTMLSettings.CellSpacing = 4;
    grid.HTMLSettings.Width = 50;
    const std::string text = html(grid);
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "<table border=\"2\" cellspacing=\"4\" cellpadding=\"3\" width=\"50%\">");
    EXPECT_NE(text.find("<td bgcolor=\"#ECE9D8\"><b>No.</b></td>"), std::string::npos);
    EXPECT_NE(text.find("<td bgcolor=\"#ABCDEF\"><font "
                        "color=\"#123456\"><b><i><u>x.htm</u></i></b></font></td>"),
              std::string::npos);

    grid.HTMLSettings.SaveColor = false;
    grid.HTMLSettings.SaveFonts = false;
    const std::string plain = html(grid);
    EXPECT_NE(plain.find("<td><b>No.</b></td>\r\n"), std::string::npos);
    EXPECT_NE(plain.find("<td>1</td>\r\n<td>x.htm</td>\r\n"), std::string::npos);
}

} // namespace varnok
