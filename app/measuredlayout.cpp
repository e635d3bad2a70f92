#include "app/measuredlayout.h"

#include <algorithm>

#include "grid/table/cellmeasure.h"
#include "grid/table/gridrenderer.h"

namespace varnok {

int VisitTimeColumnWidth(TextCanvas& canvas, const TGridFont& font)
{
    // The text starts kTextOffset inside the cell and wraps kTextOffset before its right edge.
    return MeasureWidestLine(canvas, font, kWidestVisitTime) + 2 * GridRenderer::kTextOffset;
}

CountLabelPlaces CountLabelPlacesFor(const CountLabelWidths& widths)
{
    CountLabelPlaces places;
    places.LineCount =
        std::max(places.LineCount, places.LinesCaption + widths.LinesCaption + kLabelGap);
    places.IndexSize = std::max(places.IndexSize, places.LineCount + widths.LineCount + kLabelGap);
    return places;
}

int InputBoxWidthFor(const InputBoxTextWidths& widths, int availableWidth)
{
    const int field = std::max(widths.Path + kFieldRoomToType,
                               widths.AverageCharacter * kComfortableFieldCharacters);
    const int content =
        std::max({widths.Caption + kTitleBarAllowance, widths.Prompt, field}) + kDialogMargins;
    return availableWidth > 0 ? std::min(content, availableWidth) : content;
}

} // namespace varnok
