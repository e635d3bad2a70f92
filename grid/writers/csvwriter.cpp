#include "grid/writers/csvwriter.h"

#include "grid/table/basegrid.h"
#include "grid/writers/outputbuffer.h"

namespace varnok {

CsvWriter::CsvWriter(const TBaseGrid& grid, const TSaveRange& range, char separator,
                     bool quoteEmpty)
    : m_grid(grid), m_range(range), m_separator(separator == '\0' ? ',' : separator),
      m_quoteEmpty(quoteEmpty)
{
}

bool CsvWriter::Write(std::ostream& stream) const
{
    OutputBuffer out(stream);
    for (int row = m_range.StartRow; row <= m_range.EndRow; ++row) {
        for (int col = m_range.StartCol; col <= m_range.EndCol; ++col) {
            if (col != m_range.StartCol)
                out.Append(m_separator);
            WriteValue(out, m_grid.GetCellEx(col, row));
        }
        out.EndLine();
    }
    return out.Finish();
}

bool CsvWriter::NeedsEnclosing(std::string_view text) const
{
    // A line break or the separator would split the row; a leading quotation mark would
    // make a spreadsheet read up to the next one as a single value.
    // Three searches for single bytes (memchr, many bytes a step) beat one pass that tests
    // each byte, and find_first_of, which searches its set once for every byte.
    constexpr auto npos = std::string_view::npos;
    return text.front() == '"' || text.find(m_separator) != npos || text.find('\n') != npos ||
           text.find('\r') != npos;
}

void CsvWriter::WriteValue(OutputBuffer& out, std::string_view text) const
{
    if (text.empty()) {
        if (m_quoteEmpty)
            out.Append(std::string_view("\"\""));
        return;
    }
    if (!NeedsEnclosing(text)) {
        out.Append(text);
        return;
    }
    out.Append('"');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue; // CR LF becomes the LF alone
        if (c == '"')
            out.Append('"');
        out.Append(c);
    }
    out.Append('"');
}

} // namespace varnok
