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

/** Appends `bytes` decoded to UTF-8 for a field of a body file: "|" (the field separator),
 * control bytes and line breaks are written as "%7C", "%0A" and so on, so every record stays
 * one line of eleven fields. */
void AppendBodyText(std::string& out, std::string_view bytes);

} // namespace varnok
