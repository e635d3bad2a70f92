#pragma once

#include <string>

#include "grid/table/gridtypes.h"

namespace varnok {

class TBaseGrid;

/**
 * The text a copy of `range` puts on the clipboard: the cells of a row joined by TAB,
 * markup kept, rich text (a text holding "{\") replaced by the plain text it shows.
 * With more than one row every row ends in CR LF; a single row has no line end. The
 * range is taken corner to corner and clipped to the table.
 */
[[nodiscard]] std::string ClipboardText(const TBaseGrid& grid, const TGridRect& range);

} // namespace varnok
