#pragma once

#include <string>
#include <vector>

#include "grid/table/gridtypes.h"
#include "platform/canvastypes.h"
#include "platform/pageprinter.h"

namespace varnok {

// Where a header or footer item is printed.
enum TPrintPosition {
    ppNone,
    ppTopLeft,
    ppTopRight,
    ppTopCenter,
    ppBottomLeft,
    ppBottomRight,
    ppBottomCenter
};

// Which cell borders and page frame lines are printed.
enum TPrintBorders {
    pbNoborder,
    pbSingle,
    pbDouble,
    pbVertical,
    pbHorizontal,
    pbAround,
    pbAroundVertical,
    pbAroundHorizontal,
    pbCustom
};

// How the column widths are scaled to the page width.
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

// What one run of the page layout does: draw a preview page, print, or only count pages.
enum TPrintMethod { prPreview, prPrint, prCalcPrint, prCalcPreview };

// A font as the print settings keep it: its size in points, so the same settings give the
// same letters on every printer.
struct TPrintFont {
    std::string Name = "MS Sans Serif";
    int Size = 10;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    TColor Color = clWindowText;
    bool operator==(const TPrintFont&) const = default;
};

// How the grid prints. Lengths are in tenths of a millimetre. Kept in memory only.
struct TPrintSettings {
    int FooterSize = 20;
    int HeaderSize = 50;
    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    std::string DateFormat = "dd/mm/yyyy";
    TPrintPosition PageNr = ppNone;
    TPrintPosition Title = ppNone;
    std::string TitleText;
    std::vector<std::string> TitleLines; // used when TitleText is empty
    TPrintFont Font;
    TPrintFont HeaderFont;
    TPrintFont FooterFont;
    TPrintBorders Borders = pbSingle;
    TPenStyle BorderStyle = psSolid;
    bool Centered = true;
    bool RepeatFixedRows = true;
    bool RepeatFixedCols = true;
    int LeftSize = 0;
    int RightSize = 0;
    int ColumnSpacing = 2; // 20 more are always added
    int RowSpacing = 60;
    int TitleSpacing = 60;
    TPrinterOrientation Orientation = poPortrait;
    std::string PagePrefix;
    std::string PageSuffix;
    std::string PageNumSep = "/";
    int FixedWidth = 0;
    int FixedHeight = 0;
    bool UseFixedWidth = false;
    bool UseFixedHeight = false;
    TFitToPage FitToPage = fpNever;
    std::string JobName;
    bool NoAutoSize = true; // column widths follow the screen widths
    bool PrintGraphics = false;
    // Off in the designed settings. FillColumn (a grid column) takes the room across the page
    // that the other columns leave. WidthSampleColumn is never narrower than WidthSample needs
    // in the table font, so that text keeps to one line. PageCountAlways shows "1/1" on a
    // single page too.
    int FillColumn = -1;
    int WidthSampleColumn = -1;
    std::string WidthSample;
    bool PageCountAlways = false;
    bool operator==(const TPrintSettings&) const = default;
};

// The pages a print puts out, counted from 1; 0 leaves that end open (all pages: {0, 0}).
struct TPageRange {
    int From = 0;
    int To = 0;
    bool operator==(const TPageRange&) const = default;
};

// What the grid remembers between print runs: the block of cells being printed, the pages
// to draw, the page count of the last counting run and the page area.
struct TPrintState {
    TGridRect Range{0, 0, -1, -1};
    int FromPage = 1;
    int ToPage = 1;
    int PageCount = 1;
    // Set by the preview dialogs: the preview draws without counting pages first.
    bool PreviewFast = false;
    // The page area in 0.1 mm, y growing downwards from the top of the printable area.
    TextRect PageArea;
    // Pixels per inch of the screen the column widths were set on.
    int ScreenResolution = 96;
};

/** Character height in 0.1 mm of a font of `points` points. */
[[nodiscard]] int PrintFontHeight(int points);
/** The canvas font that prints `font` on a canvas in 0.1 mm. */
[[nodiscard]] TGridFont PrintCanvasFont(const TPrintFont& font);

} // namespace varnok
