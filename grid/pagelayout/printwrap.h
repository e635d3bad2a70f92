#pragma once

#include <string>
#include <string_view>

#include "platform/canvastypes.h"

namespace varnok {

class TextCanvas;

/** `text` with a line break put inside every word wider than `width`, after the most characters
 * that fit, so that a long address wraps onto further lines on paper instead of running past its
 * cell. Blanks, tabs and line breaks stay as they are. */
[[nodiscard]] std::string BreakLongWords(TextCanvas& canvas, const TGridFont& font,
                                         std::string_view text, int width);

} // namespace varnok
