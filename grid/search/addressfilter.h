#pragma once

#include <string_view>

#include "platform/shortdateformat.h"

namespace varnok {

class TBaseGrid;

/** Keeps the caption row and the rows below it whose address (column 1, as stored, so an anchor's
 * markup counts) satisfies `condition`, read as Find reads it with "Regular expressions" and
 * without "Case sensitive". The kept rows stay in their order and are numbered from 1 in column 0,
 * like a fresh list. Returns how many rows were kept. */
int FilterRowsByAddress(TBaseGrid& grid, std::string_view condition, const ShortDateFormat& dates);

} // namespace varnok
