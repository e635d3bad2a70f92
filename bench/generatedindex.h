#pragma once

#include <string>

#include "grid/indexlisting.h"

namespace varnok {

class TResultGrid;

// The benchmarks measure the program on the same kind of file: a generated index of
// realistic records, written once per run into the temporary folder before any timing.

/** A generated index of `records` realistic records from `seed`, spread over `tables` hash
 * tables: its path, written on the first request for these numbers. */
[[nodiscard]] const std::string& GeneratedIndexPath(int records, unsigned seed, int tables);

/** Reads the index at `path` into `grid` as the given read does, addresses plain or as
 * anchors. */
void ReadIndexList(const std::string& path, ScanMode mode, bool anchors, TResultGrid& grid);

} // namespace varnok
