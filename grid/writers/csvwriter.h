#pragma once

#include <ostream>
#include <string_view>

#include "grid/writers/saverange.h"

namespace varnok {

class TBaseGrid;
class OutputBuffer;

// Separated values for spreadsheets: one line per row, the separator between values. A
// value holding the separator or a line break, or beginning with a quotation mark, is
// enclosed in quotation marks, with CR LF turned into LF and every quotation mark doubled
// so it reads back unchanged; any other value is written as it stands.
class CsvWriter {
public:
    /** separator '\0' means ","; quoteEmpty writes an empty cell as two quotation marks. */
    CsvWriter(const TBaseGrid& grid, const TSaveRange& range, char separator, bool quoteEmpty);

    /** Writes the rows of the range; false when the stream failed. */
    [[nodiscard]] bool Write(std::ostream& stream) const;

private:
    [[nodiscard]] bool NeedsEnclosing(std::string_view text) const;
    void WriteValue(OutputBuffer& out, std::string_view text) const;

    const TBaseGrid& m_grid;
    TSaveRange m_range;
    char m_separator;
    bool m_quoteEmpty;
};

} // namespace varnok
