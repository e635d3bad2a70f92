#pragma once

#include <cstdint>
#include <string>

class TBaseGrid;
class ScanView;

// The two situations a cache index is read in. They differ in the record kinds listed,
// the longest address, where rows land, the row-count fix-ups and the message wording.
enum class ScanMode { OpenCommand, Startup };

struct ScanOptions {
    int DateFormat = 1;          // 2: day/month/year; anything else month/day/year
    bool ShowAllEntries = true;  // false: only records whose header sample names a text type
    bool CellFormatHtml = false; // addresses as anchors
};

// Reads `indexFilePath` into `grid` (header row, one row per listed record), updating the
// labels of `view` as the window shows them. Never writes the file.
void ScanIndexFile(const std::string& indexFilePath, ScanMode mode, const ScanOptions& options,
                   TBaseGrid& grid, ScanView& view);

/** The index file the start-up read takes from `contentFolder` (which ends in "/"). */
[[nodiscard]] std::string StartupIndexFilePath(const std::string& contentFolder);

// The start-up read: `contentFolder` + "index.dat", no dialog.
void ReadIndexAtStartup(const std::string& contentFolder, const ScanOptions& options,
                        TBaseGrid& grid, ScanView& view);

// "<KB> KB" of the file, or "" when it cannot be found.
[[nodiscard]] std::string IndexSizeText(const std::string& path);

// 19-character local date text of a UTC file time, month first unless dateFormat is 2;
// empty when the local time falls outside the years 1601 to 9999.
[[nodiscard]] std::string FormatVisitTime(std::uint64_t fileTime, int dateFormat);
