#pragma once

#include <iosfwd>

#include "app/batchexport.h"

namespace varnok {

/** Writes the timeline (/sjsonl or /sbody) of the index file given with /open:, or of every
 * index file below the /scan: folder, while the scan reads it. Returns the exit status: 0
 * with "N records, E events" on `out` (standard error when the timeline goes to standard
 * output); for /scan: 2 when some index file could not be read whole, each named on `err`
 * with the reason and the others written; 1 with the message on `err` and no output file
 * when nothing could be written, and for /open: when the file could not be read whole. */
[[nodiscard]] int RunTimelineExport(const CommandLine& commandLine, std::ostream& out,
                                    std::ostream& err, const BatchExportTools& tools = {});

} // namespace varnok
