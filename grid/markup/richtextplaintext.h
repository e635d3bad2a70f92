#pragma once

#include <string>
#include <string_view>

namespace varnok {

/**
 * The text a rich-text (RTF) cell shows: groups, control words and destinations such as
 * the font and colour tables are dropped, \par and \line become CR LF, \tab a TAB and
 * \'hh the byte hh. A text that does not start with "{\rtf" is not read as rich text by
 * a rich-text control either, so it comes back unchanged.
 */
[[nodiscard]] std::string RichTextPlainText(std::string_view text);

} // namespace varnok
