#include "grid/writers/asciiwriter.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "grid/table/basegrid.h"
#include "grid/writers/outputbuffer.h"

namespace varnok {

namespace {

constexpr std::string_view lineBreak = "\r\n";

// For the widths a cell's lines end at every CR (an LF right after it is part of the
// break), while the cell is cut into written lines at CR LF pairs only.
std::size_t longestLine(std::string_view text)
{
    // Most cells are one line; memchr finds that out far faster than the loop below.
    if (text.find('\r') == std::string_view::npos)
        return text.size();
    std::size_t longest = 0;
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            longest = std::max(longest, length);
            length = 0;
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            ++length;
        }
    }
    return std::max(longest, length);
}

// Continuation lines of one row, reused from row to row to keep their memory.
class ContinuationLines {
public:
    void Reset() { m_used = 0; }

    void Add(std::size_t index, std::size_t column, std::string_view piece)
    {
        while (m_used <= index) {
            if (m_lines.size() <= m_used)
                m_lines.emplace_back();
            m_lines[m_used++].clear();
        }
        std::string& line = m_lines[index];
        if (line.size() < column)
            line.append(column - line.size(), ' ');
        line.append(piece);
    }

    void WriteTo(OutputBuffer& out) const
    {
        for (std::size_t i = 0; i < m_used; ++i) {
            out.Append(m_lines[i]);
            out.EndLine();
        }
    }

private:
    std::vector<std::string> m_lines;
    std::size_t m_used = 0;
};

} // namespace

AsciiWriter::AsciiWriter(const TBaseGrid& grid) : m_grid(grid) {}

std::vector<std::size_t> AsciiWriter::ColumnWidths() const
{
    std::vector<std::size_t> widths(static_cast<std::size_t>(m_grid.GetColCountEx()), 0);
    for (int row = 0; row < m_grid.GetRowCountEx(); ++row) {
        for (int col = 0; col < m_grid.GetColCountEx(); ++col) {
            std::size_t& width = widths[static_cast<std::size_t>(col)];
            width = std::max(width, longestLine(m_grid.GetCellEx(col, row)));
        }
    }
    return widths;
}

bool AsciiWriter::Write(std::ostream& stream) const
{
    const std::vector<std::size_t> widths = ColumnWidths();
    std::vector<std::size_t> starts(widths.size(), 0);
    for (std::size_t col = 1; col < widths.size(); ++col)
        starts[col] = starts[col - 1] + widths[col - 1] + 1;

    OutputBuffer out(stream);
    ContinuationLines continuations;
    for (int row = 0; row < m_grid.GetRowCountEx(); ++row) {
        continuations.Reset();
        for (int col = 0; col < m_grid.GetColCountEx(); ++col) {
            const auto c = static_cast<std::size_t>(col);
            const std::string_view text = m_grid.GetCellEx(col, row);
            std::size_t end = text.find(lineBreak);
            const std::string_view first = text.substr(0, end);
            out.Append(first);
            // A lone CR makes the first line longer than the width, which then gets no blanks.
            out.AppendBlanks(static_cast<std::ptrdiff_t>(widths[c] + 1) -
                             static_cast<std::ptrdiff_t>(first.size()));
            for (std::size_t index = 0; end != std::string_view::npos; ++index) {
                const std::size_t start = end + lineBreak.size();
                end = text.find(lineBreak, start);
                const std::size_t length = end == std::string_view::npos ? end : end - start;
                continuations.Add(index, starts[c], text.substr(start, length));
            }
        }
        out.EndLine();
        continuations.WriteTo(out);
    }
    return out.Finish();
}

} // namespace varnok
