#include "grid/table/hintplacement.h"

#include <algorithm>

namespace varnok {

namespace {

// Short of the whole screen, so a wrapped hint still reads as a hint and not as a page.
constexpr int kHintScreenShare = 2;
constexpr int kMinimumWrapWidth = 200;
constexpr int kGapAbovePointer = 2;

} // namespace

TextRect PlaceHint(int pointerX, int pointerY, int width, int height, const TextRect& screen)
{
    int left = pointerX + kHintOffsetX;
    int top = pointerY + kPointerHeight;
    if (top + height > screen.Bottom)
        top = pointerY - kGapAbovePointer - height;
    // Moved sideways or down only as far as the screen demands; the top edge wins over the
    // bottom one, so the start of a hint taller than the screen is what shows.
    left = std::max(std::min(left, screen.Right - width), screen.Left);
    top = std::max(std::min(top, screen.Bottom - height), screen.Top);
    return {left, top, left + width, top + height};
}

int HintWrapWidth(int screenWidth)
{
    return std::max(screenWidth / kHintScreenShare, std::min(kMinimumWrapWidth, screenWidth));
}

} // namespace varnok
