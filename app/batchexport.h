#pragma once

#include <iosfwd>

#include "app/commandline.h"

class VarnokSettings;

// Runs the list export of the command line without any window: reads the index the way
// start-up (/cache:) or the open command (/open:) would, then writes it exactly as the
// Save menu does. Returns the process exit status: 0 with the line count on `out`, or 1
// with the message on `err` and no output file.
[[nodiscard]] int RunBatchExport(const CommandLine& commandLine, const VarnokSettings& settings,
                                 std::ostream& out, std::ostream& err);
