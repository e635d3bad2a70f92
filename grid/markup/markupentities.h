#pragma once

#include <string>
#include <string_view>

namespace varnok {

/** Appends the text of a markup run with its entities decoded, in any letter case, each once from
 * left to right (so "&amp;lt;" shows "&lt;"): "&amp;" becomes "&&", which a run drawn with prefix
 * processing shows as one "&"; "&quot;", "&sect;", "&permil;", "&reg;", "&copy;", "&para;",
 * "&trade;", "&euro;", "&nbsp;", "&lt;" and "&gt;" become their Windows-1252 characters. Any other
 * "&" stays as it is. */
void AppendRunText(std::string& out, std::string_view raw);

} // namespace varnok
