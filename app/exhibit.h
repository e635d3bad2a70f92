#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "grid/pagelayout/printsettings.h"

namespace varnok {

class ByteSource;
class TBaseGrid;

// What a printed list says about the evidence it shows, so that a page on its own names the
// file, proves which bytes were read and says how the times are to be read.
struct ExhibitFacts {
    std::string IndexFile; // as the command line gave it
    std::string Sha256;    // lower-case hex
    std::int64_t Size = 0; // bytes
    std::string ZoneName;
    long UtcOffset = 0; // seconds east of UTC, at the first listed time
    bool Landscape = false;
};

/** "UTC+01:00", "UTC-03:30", "UTC+00:00". */
[[nodiscard]] std::string UtcOffsetText(long seconds);

/** The title lines each page starts with, in the list's own encoding (Windows-1252; a UTF-8 path
 * whose letters Windows-1252 holds in its Latin-1 part is re-encoded, any other kept as it is). */
[[nodiscard]] std::vector<std::string> ExhibitTitleLines(const ExhibitFacts& facts);

/** The designed print settings with the title lines, the date and time of printing at the top
 * right, "n/N" at the bottom right, the address column taking the rest of the page and the visit
 * column wide enough for a visit time on one line. */
[[nodiscard]] TPrintSettings ExhibitPrintSettings(const ExhibitFacts& facts);

/** The first visit time the list shows from 1970 on, as a moment (UTC); nothing when no row shows
 * one. The
 * list shows times moved by `shownOffset` seconds from UTC in the order of `dateFormat` (2: day
 * first). */
[[nodiscard]] std::optional<std::time_t> FirstListedTime(const TBaseGrid& grid, int dateFormat,
                                                         long shownOffset);

/** The facts of the index file read through `file` (read-only; hashed whole) and listed in
 * `grid`. Throws FileReadError when the file cannot be read. */
[[nodiscard]] ExhibitFacts GatherExhibitFacts(const TBaseGrid& grid, const std::string& indexFile,
                                              ByteSource& file, int dateFormat, bool landscape);

} // namespace varnok
