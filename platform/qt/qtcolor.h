#pragma once

#include <QColor>
#include <QPalette>

#include "platform/canvastypes.h"

namespace varnok {

/** Resolves a colour value (RGB with red lowest, or a system colour by index) against `palette`;
 * kNoColor gives an invalid QColor. */
[[nodiscard]] QColor ToQColor(TColor color, const QPalette& palette);

} // namespace varnok
