#pragma once

#include <ostream>
#include <string>

#include "grid/writers/htmlsettings.h"
#include "grid/writers/saverange.h"
#include "platform/canvastypes.h"

namespace varnok {

class TBaseGrid;
class OutputBuffer;
class TSystemColorTable;

// What the HTML table takes from the grid besides its cells.
struct HtmlWriterOptions {
    THTMLSettings Settings;
    TSaveRange Range;
    TColor FixedColor = clBtnFace; // background of fixed cells
    TColor Color = clWindow;       // background of the other cells
};

// The table as an HTML fragment: a caption row when the grid has a fixed row, then one
// row per entry with the cell colours and font styles of the grid.
class HtmlWriter {
public:
    HtmlWriter(const TBaseGrid& grid, const HtmlWriterOptions& options,
               const TSystemColorTable& systemColors);

    /** Writes the table; false when the stream failed. */
    [[nodiscard]] bool Write(std::ostream& stream) const;

private:
    // The fixed text around a cell's text, the same for every cell of its kind.
    struct CellFrame {
        std::string Start;
        std::string End;
    };

    [[nodiscard]] CellFrame CaptionFrame(const TSystemColorTable& systemColors) const;
    [[nodiscard]] CellFrame EntryFrame(TColor background, const TGridFont& font,
                                       const TSystemColorTable& systemColors) const;
    [[nodiscard]] std::string TableStart() const;
    void WriteRow(OutputBuffer& out, int row, const CellFrame& fixedFrame,
                  const CellFrame& normalFrame) const;

    const TBaseGrid& m_grid;
    HtmlWriterOptions m_options;
    CellFrame m_captionFrame;
    CellFrame m_fixedEntryFrame;
    CellFrame m_normalEntryFrame;
};

} // namespace varnok
