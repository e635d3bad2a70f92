#pragma once

#include "platform/canvastypes.h"

namespace varnok {

// Where a cell hint goes. Like the desktop's tool-tips it opens below and right of the
// pointer, so the pointer stays on the cell and the hint never hides under it; it is kept
// on the screen, going above the pointer where there is no room below.

// The pointer's shape reaches this far below and right of its hot spot.
inline constexpr int kPointerHeight = 20;
inline constexpr int kHintOffsetX = 2;

/** The hint's rectangle for a hint `width` x `height` with the pointer's hot spot at
 * (`pointerX`, `pointerY`), within `screen` (right and bottom exclusive). */
[[nodiscard]] TextRect PlaceHint(int pointerX, int pointerY, int width, int height,
                                 const TextRect& screen);

/** The widest a hint's text may run before it wraps on a screen `screenWidth` wide. */
[[nodiscard]] int HintWrapWidth(int screenWidth);

} // namespace varnok
