#pragma once

#include <optional>
#include <string>
#include <vector>

namespace varnok {

// What the command line asks for. "/cache:" may also start the window; the output
// switches turn the run into a batch export that needs no display.
enum class ExportFormat { None, Text, Csv, Html, Pdf, JsonLines, BodyFile };

/** The timelines (/sjsonl, /sbody) list every record rather than the grid's rows. */
[[nodiscard]] constexpr bool IsTimeline(ExportFormat format)
{
    return format == ExportFormat::JsonLines || format == ExportFormat::BodyFile;
}

struct CommandLine {
    std::optional<std::string> CacheFolder; // the first "/cache:" argument, text after the prefix
    std::optional<std::string> IndexFile;   // "/open:" argument
    std::optional<std::string> ScanFolder;  // "/scan:" argument: every index file below it
    ExportFormat Format = ExportFormat::None;
    std::string OutputFile; // after the format switch; "-" is standard output
    int SortColumn = 0;     // "/sort:N": the column whose header is clicked; 0 leaves the order
    bool SortDescending = false;              // "/sort:~N": clicked twice
    std::optional<std::string> AddressFilter; // "/filter:" condition on the address column
    bool Landscape = false;                   // "/landscape": /spdf on A4 landscape
    bool Help = false;
    bool Version = false;
    // Non-empty when an export's arguments make no sense: the first argument that belongs to
    // no form, a repeated /cache:, /open: or /scan:, a second output switch, a timeline without
    // /open: or /scan:, /scan: or /sort: or /filter: with a list export, a missing output name, a
    // sort column other than 1 or 2, an empty filter condition, /landscape without /spdf. The
    // window ignores such arguments, so a run without an output switch has none.
    std::string Error;

    [[nodiscard]] bool IsBatch() const
    {
        return Format != ExportFormat::None || Help || Version || !Error.empty();
    }
};

/** Arguments without the program's own path. Prefixes and switches match in any letter case. */
[[nodiscard]] CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

[[nodiscard]] std::string UsageText();

/** Program name and version, one line, as "--version" prints them. */
[[nodiscard]] std::string VersionText();

/** True when `argument` has one of the forms above, in any letter case. */
[[nodiscard]] bool IsSwitch(const std::string& argument);

} // namespace varnok
