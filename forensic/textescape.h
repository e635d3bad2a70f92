#pragma once

#include <string>
#include <string_view>

namespace varnok {

// The byte strings of a record (Windows-1252, as Internet Explorer wrote them) made safe for
// the two timeline formats. Any byte is allowed in: addresses and headers come from hostile
// web pages.

/** Appends `bytes` as the inside of a JSON string: decoded from Windows-1252 to UTF-8, with
 * quotes, backslashes and control characters escaped. The five bytes Windows-1252 leaves
 * undefined become the control characters of the same number. */
void AppendJsonText(std::string& out, std::string_view bytes);

/** Appends `bytes` as a JSON string with its quotes (see AppendJsonText). */
void AppendJsonString(std::string& out, std::string_view bytes);

/** Appends `bytes` decoded to UTF-8 for the name field of a body file. "|" (the field
 * separator) and "%" are written as "%7C" and "%25", which mactime decodes back; control
 * bytes and line breaks as their Unicode pictures ("\n" as U+240A), so every record stays one
 * line of eleven fields and no control byte reaches a terminal; the bytes Windows-1252 leaves
 * undefined as U+FFFD. */
void AppendBodyText(std::string& out, std::string_view bytes);

} // namespace varnok
