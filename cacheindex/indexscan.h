#pragma once

#include <string>

namespace varnok {

// The two situations a cache index is read in. They differ in the record kinds the walk
// finds, the rows made from them, the row-count fix-ups and the message wording.
enum class ScanMode { OpenCommand, Startup };

/** The index file the start-up read takes from `contentFolder` (which ends in "/"). */
[[nodiscard]] std::string StartupIndexFilePath(const std::string& contentFolder);

// "<KB> KB" of the file, or "" when it cannot be found.
[[nodiscard]] std::string IndexSizeText(const std::string& path);

} // namespace varnok
