#pragma once

#include <string>

#include "cacheindex/scanview.h"
#include "grid/indexlisting.h"

namespace varnok {

class TResultGrid;

// The benchmarks time the read, not what a window does with its reports.
class SilentScanView final : public ScanView {
public:
    void SetStatusText(const std::string& /*text*/) override {}
    void SetIndexSizeText(const std::string& /*text*/) override {}
    void SetLineCountText(const std::string& /*text*/) override {}
    void ShowFileError(const std::string& /*text*/, const std::string& /*caption*/) override {}
    void FinishRead(bool /*giveFocus*/) override {}
};

// The benchmarks measure the program on the same kind of file: a generated index of
// realistic records, written once per run into the temporary folder before any timing.

/** A generated index of `records` realistic records from `seed`, spread over `tables` hash
 * tables: its path, written on the first request for these numbers. */
[[nodiscard]] const std::string& GeneratedIndexPath(int records, unsigned seed, int tables);

/** Reads the index at `path` into `grid` as the given read does, addresses plain or as
 * anchors. */
void ReadIndexList(const std::string& path, ScanMode mode, bool anchors, TResultGrid& grid);

} // namespace varnok
