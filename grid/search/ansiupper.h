#pragma once

#include <string>
#include <string_view>

namespace varnok {

// Upper-casing of cell texts, which are Windows-1252 bytes: the letters a-z, the accented
// letters 0xE0-0xFE (but not the division sign 0xF7), and the four letters whose capitals
// lie in 0x80-0x9F (s, oe and z with caron, y with diaeresis). Every other byte, the sharp
// s and the micro sign included, stays as it is. The C library's locale plays no part.

/** `text` upper-cased into `out`, reusing its memory. */
void AnsiUpperCaseInto(std::string_view text, std::string& out);

/** An upper-cased copy of `text`. */
[[nodiscard]] std::string AnsiUpperCase(std::string_view text);

} // namespace varnok
