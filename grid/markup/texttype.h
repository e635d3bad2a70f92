#pragma once

#include <string_view>

// How a cell text is shown and measured. The values are the numbers the drawing code
// and the row sizing agree on.
enum TTextType { ttPlain = 0, ttMarkup = 1, ttRichText = 2, ttFormula = 3 };

/**
 * The class of a cell text: "=" first is a formula, "{\" first rich text, "</", "<B" or
 * "<I" anywhere markup (only with enableHTML), anything else plain.
 */
[[nodiscard]] TTextType TextType(std::string_view text, bool enableHTML);
