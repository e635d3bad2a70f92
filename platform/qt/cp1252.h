#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace varnok {

// Cell texts are Windows-1252 byte strings; the screen, the clipboard and the cell editor
// work in Unicode. Both directions are exact table look-ups, independent of the locale.

/** Decodes Windows-1252 bytes; the five bytes the code page leaves unassigned keep their C1 code
 * points. */
[[nodiscard]] QString DecodeCp1252(std::string_view bytes);

/** Encodes text as Windows-1252; characters the code page lacks become "?". */
[[nodiscard]] std::string EncodeCp1252(const QString& text);

} // namespace varnok
