#pragma once

#include "grid/pagelayout/printsettings.h"
#include "platform/canvastypes.h"

namespace varnok {

class TextCanvas;

// The sizes one run of the page layout works with, all in 0.1 mm, measured once per run.
struct PrintMetrics {
    TGridFont TableFont;
    TGridFont HeaderFont;
    TGridFont FooterFont;
    int TableLineHeight = 0;  // height of "gh" in the table font
    int TableCharWidth = 0;   // width of "a" in the table font
    int HeaderLineHeight = 0; // h_head
    int FooterLineHeight = 0; // h_foot
    int Pad = 0;              // an eighth of the table font's line
    double PixelSize = 1;     // 0.1 mm per screen pixel
    int Spacing = 0;          // added to every column's width when it is placed
    TPen Pen;                 // cell borders and page frames
};

/** The metrics of `settings` on `canvas` (in 0.1 mm) for a screen of `screenResolution` dpi. */
[[nodiscard]] PrintMetrics MeasurePrintMetrics(TextCanvas& canvas, const TPrintSettings& settings,
                                               int screenResolution);

} // namespace varnok
