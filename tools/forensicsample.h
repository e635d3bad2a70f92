#pragma once

#include <string>
#include <vector>

#include "tools/indexwriter.h"

namespace varnok {

// A copied Windows profile holding one of each kind of index file an examiner meets: the
// cache, the cookies, the history and its daily and weekly files, and a Wine cache, with deleted
// entries, records that are rare in a browser's own files and addresses holding bytes that
// exporters must escape. Beside them: a symbolic link that must not be followed, a
// damaged index file and a file that is no index at all.

struct ForensicSampleFile {
    std::string Path; // below the sample folder, '/'-separated
    IndexFilePlan Plan;
};

/** The profile's account name; it appears in every history and cookie address. */
inline constexpr const char* kForensicUser = "alice";
/** The profile's computer ran an hour ahead of UTC (central Europe in winter). */
inline constexpr int kForensicUtcOffsetHours = 1;

/** The well-formed index files of the sample, in path order. */
[[nodiscard]] std::vector<ForensicSampleFile> MakeForensicSamplePlans();

/** Paths of the extra pieces, below the sample folder. */
inline constexpr const char* kForensicLinkPath = "Documents and Settings/alice/Favorites/Cache";
inline constexpr const char* kForensicDamagedPath =
    "Documents and Settings/bob/Local Settings/Temporary Internet Files/Content.IE5/index.dat";
inline constexpr const char* kForensicNotIndexPath = "Documents and Settings/alice/ntuser.dat.LOG";

/** Writes the sample into `folder` (created when missing); false with `error` set on failure. */
[[nodiscard]] bool WriteForensicSample(const std::string& folder, std::string& error);

} // namespace varnok
