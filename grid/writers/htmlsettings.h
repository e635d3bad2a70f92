#pragma once

namespace varnok {

// Table attributes and cell decoration of the HTML export.
struct THTMLSettings {
    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    int Width = 100;       // percent
    bool SaveColor = true; // cell background and font colours
    bool SaveFonts = true; // bold, italic and underline of the cell fonts
};

} // namespace varnok
