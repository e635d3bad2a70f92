#pragma once

#include <string_view>

namespace varnok {

// How a cell text is shown and measured. The values are the numbers the drawing code
// and the row sizing agree on.
enum TTextType { ttPlain = 0, ttMarkup = 1, ttRichText = 2, ttFormula = 3 };

/**
 * The class of a cell text. Without enableHTML every text is plain, so a list read in the
 * text format shows, measures and copies each cell as exactly the bytes it holds. With it,
 * "=" first is a formula, "{\" first rich text, "</", "<B" or "<I" anywhere markup,
 * anything else plain.
 */
[[nodiscard]] TTextType TextType(std::string_view text, bool enableHTML);

} // namespace varnok
