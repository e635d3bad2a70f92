#pragma once

#include <ostream>
#include <vector>

namespace varnok {

class TBaseGrid;

// The column-aligned text form of the whole table, captions included: each cell padded
// with blanks to the longest line of its column plus one; the further lines of a cell
// with CR LF go to continuation lines that start at the cell's column.
class AsciiWriter {
public:
    explicit AsciiWriter(const TBaseGrid& grid);

    /** Writes every row; false when the stream failed. */
    [[nodiscard]] bool Write(std::ostream& stream) const;
    /** Width of each column in characters: the longest line of its cells, lines ending at CR. */
    [[nodiscard]] std::vector<std::size_t> ColumnWidths() const;

private:
    const TBaseGrid& m_grid;
};

} // namespace varnok
