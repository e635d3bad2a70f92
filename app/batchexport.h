#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "app/commandline.h"

namespace varnok {

class ByteSource;
class TResultGrid;
class VarnokSettings;

// What the export takes from outside the program's core, supplied by its entry point.
struct BatchExportTools {
    // Prints the list into the PDF file as Print all does and returns the number of pages;
    // raises with the message on failure, leaving no file. Empty in a build without printing.
    std::function<int(TResultGrid& grid, const std::string& fileName)> PrintToPdf;
    // The bytes of the index file; empty: the file itself.
    std::function<std::unique_ptr<ByteSource>(const std::string& indexFile)> OpenIndex;
};

/** Runs the list export of the command line without any window: reads the index the way start-up
 * (/cache:) or the open command (/open:) would, then writes it exactly as the Save menu does (or
 * prints it as a PDF), after the filter and the sort the command line asks for. Returns the process
 * exit status: 0 with the line count on `out`, or 1 with the message on `err` and no output file,
 * also when a stretch of the index could not be read. */
[[nodiscard]] int RunBatchExport(const CommandLine& commandLine, const VarnokSettings& settings,
                                 std::ostream& out, std::ostream& err,
                                 const BatchExportTools& tools = {});

} // namespace varnok
