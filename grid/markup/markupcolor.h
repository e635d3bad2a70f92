#pragma once

#include <string_view>

#include "platform/canvastypes.h"

namespace varnok {

/** The colour a markup attribute names: "#" and six hexadecimal digits (red, green, blue), or one
 * of the colour names "clred" ... "clinfobk" in any letter case, the system colour names giving
 * system colour values; any other value is black. */
[[nodiscard]] TColor MarkupColor(std::string_view value);

} // namespace varnok
