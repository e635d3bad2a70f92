#pragma once

#include <string>

#include "cacheindex/indexscan.h"
#include "grid/listrowsink.h"

namespace varnok {

class ByteSource;
class ScanView;
class TBaseGrid;

// Reads `indexFilePath` into `grid` (header row, one row per listed record), updating the
// labels of `view` as the window shows them. Never writes the file.
void ScanIndexFile(const std::string& indexFilePath, ScanMode mode, const ScanOptions& options,
                   TBaseGrid& grid, ScanView& view);

// The same read taking its bytes from `source`; the path only names the file for the size
// label.
void ScanIndexFile(const std::string& indexFilePath, ByteSource& source, ScanMode mode,
                   const ScanOptions& options, TBaseGrid& grid, ScanView& view);

// The start-up read: `contentFolder` + "index.dat", no dialog.
void ReadIndexAtStartup(const std::string& contentFolder, const ScanOptions& options,
                        TBaseGrid& grid, ScanView& view);

} // namespace varnok
