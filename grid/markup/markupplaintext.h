#pragma once

#include <string>
#include <string_view>

namespace varnok {

/** The text a markup cell shows without its tags: <BR> and <HR> (any case) become CR LF, every
 * other tag is dropped, entities stay as written. */
[[nodiscard]] std::string MarkupPlainText(std::string_view text);

} // namespace varnok
