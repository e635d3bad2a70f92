#pragma once

#include <array>
#include <string>
#include <vector>

#include "grid/pagelayout/printclock.h"
#include "grid/pagelayout/printsettings.h"

namespace varnok {

class TextCanvas;
struct PrintMetrics;

// The header and footer texts of one page: six slots (top left, top right, top centre,
// bottom left, bottom right, bottom centre) filled with the time, the date, the page number
// and the title, in that order.
struct PageSlots {
    static constexpr std::size_t kSlotCount = 6;
    std::array<std::string, kSlotCount> Texts;
    int TitleSlot = -1;                      // the slot the title went into
    std::vector<std::string> MoreTitleLines; // drawn under the title slot's line
    std::string MarkupTitle;                 // a title with markup, drawn as a whole
    TPrintPosition MarkupTitlePosition = ppNone;
};

// What a page's header and footer are placed by, in 0.1 mm.
struct PageFrameSizes {
    int PageWidth = 0;
    int PageBottom = 0;
    int HeaderBand = 0;
    int FooterBand = 0;
};

/** The slot texts of page `page` of `pageCount`, printed at `now`. */
[[nodiscard]] PageSlots FillPageSlots(const TPrintSettings& settings, const TPrintTime& now,
                                      int page, int pageCount, bool enableHTML);
/** Height of the band above the table: the header texts and the top margin. */
[[nodiscard]] int HeaderBandHeight(const TPrintSettings& settings, const PrintMetrics& metrics);
/** Height of the band below the table: the footer texts and the bottom margin. */
[[nodiscard]] int FooterBandHeight(const TPrintSettings& settings, const PrintMetrics& metrics);
/** Draws the header texts in the header font and the footer texts in the footer font. */
void DrawPageSlots(TextCanvas& canvas, const PageSlots& slots, const TPrintSettings& settings,
                   const PrintMetrics& metrics, const PageFrameSizes& sizes, TColor anchorColor);

} // namespace varnok
