#include "grid/writers/htmlwriter.h"

#include "grid/table/basegrid.h"
#include "grid/table/systemcolors.h"
#include "grid/writers/htmlcelltext.h"
#include "grid/writers/outputbuffer.h"

namespace varnok {

namespace {

// Six upper-case hexadecimal digits: red, green, blue.
std::string hexColor(TColor rgb)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (int shift : {0, 8, 16}) {
        const unsigned int byte = (rgb >> shift) & 0xFF;
        text.push_back(digits[byte >> 4]);
        text.push_back(digits[byte & 0xF]);
    }
    return text;
}

} // namespace

HtmlWriter::HtmlWriter(const TBaseGrid& grid, const HtmlWriterOptions& options,
                       const TSystemColorTable& systemColors)
    : m_grid(grid), m_options(options), m_captionFrame(CaptionFrame(systemColors)),
      m_fixedEntryFrame(EntryFrame(options.FixedColor, grid.FixedFont(), systemColors)),
      m_normalEntryFrame(EntryFrame(options.Color, grid.Font(), systemColors))
{
}

HtmlWriter::CellFrame HtmlWriter::CaptionFrame(const TSystemColorTable& systemColors) const
{
    CellFrame frame{"<td", "</b></td>"};
    if (m_options.Settings.SaveColor)
        frame.Start += " bgcolor=\"#" + hexColor(systemColors.Resolve(m_options.FixedColor)) + "\"";
    frame.Start += "><b>";
    return frame;
}

// Colours and style tags nest: <font> outside, then <b>, <i>, <u>, closed in reverse.
HtmlWriter::CellFrame HtmlWriter::EntryFrame(TColor background, const TGridFont& font,
                                             const TSystemColorTable& systemColors) const
{
    const THTMLSettings& settings = m_options.Settings;
    CellFrame frame{"<td", {}};
    if (settings.SaveColor)
        frame.Start += " bgcolor=\"#" + hexColor(systemColors.Resolve(background)) + "\"";
    frame.Start += ">";
    if (settings.SaveColor)
        frame.Start += "<font color=\"#" + hexColor(systemColors.Resolve(font.Color)) + "\">";
    if (settings.SaveFonts) {
        if (font.Bold)
            frame.Start += "<b>";
        if (font.Italic)
            frame.Start += "<i>";
        if (font.Underline) {
            frame.Start += "<u>";
            frame.End += "</u>";
        }
        if (font.Italic)
            frame.End += "</i>";
        if (font.Bold)
            frame.End += "</b>";
    }
    if (settings.SaveColor)
        frame.End += "</font>";
    frame.End += "</td>";
    return frame;
}

std::string HtmlWriter::TableStart() const
{
    const THTMLSettings& settings = m_options.Settings;
    return "<table border=\"" + std::to_string(settings.BorderSize) + "\" cellspacing=\"" +
           std::to_string(settings.CellSpacing) + "\" cellpadding=\"" +
           std::to_string(settings.CellPadding) + "\" width=\"" + std::to_string(settings.Width) +
           "%\">";
}

bool HtmlWriter::Write(std::ostream& stream) const
{
    OutputBuffer out(stream);
    out.Append(TableStart());
    out.EndLine();
    int firstEntryRow = m_options.Range.StartRow;
    // Row 0 is the caption row once the grid has a fixed row; before the first read it is
    // an ordinary row.
    if (m_grid.GetFixedRowsEx() > 0 && firstEntryRow == 0) {
        WriteRow(out, 0, m_captionFrame, m_captionFrame);
        firstEntryRow = 1;
    }
    for (int row = firstEntryRow; row <= m_options.Range.EndRow; ++row)
        WriteRow(out, row, m_fixedEntryFrame, m_normalEntryFrame);
    out.Append(std::string_view("</table>"));
    out.EndLine();
    return out.Finish();
}

void HtmlWriter::WriteRow(OutputBuffer& out, int row, const CellFrame& fixedFrame,
                          const CellFrame& normalFrame) const
{
    out.Append(std::string_view("<tr>"));
    out.EndLine();
    for (int col = m_options.Range.StartCol; col <= m_options.Range.EndCol; ++col) {
        const CellFrame& frame = col < m_grid.GetFixedColsEx() ? fixedFrame : normalFrame;
        out.Append(frame.Start);
        AppendHtmlCellText(out, m_grid.GetCellEx(col, row));
        out.Append(frame.End);
        out.EndLine();
    }
    out.Append(std::string_view("</tr>"));
    out.EndLine();
}

} // namespace varnok
