#pragma once

#include <optional>
#include <string>
#include <vector>

// What the command line asks for. "/cache:" may also start the window; the output
// switches turn the run into a batch export that needs no display.
enum class ExportFormat { None, Text, Csv, Html };

struct CommandLine {
    std::optional<std::string> CacheFolder; // the first "/cache:" argument, text after the prefix
    std::optional<std::string> IndexFile;   // "/open:" argument
    ExportFormat Format = ExportFormat::None;
    std::string OutputFile; // after the format switch; "-" is standard output
    bool Help = false;
    bool Version = false;
    // Non-empty when an export's arguments make no sense: the first argument that belongs to
    // no form, a repeated /cache: or /open:, a second output switch, a missing output name.
    // The window ignores such arguments, so a run without an output switch has none.
    std::string Error;

    [[nodiscard]] bool IsBatch() const
    {
        return Format != ExportFormat::None || Help || Version || !Error.empty();
    }
};

// Arguments without the program's own path. Prefixes and switches match in any letter case.
[[nodiscard]] CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

[[nodiscard]] std::string UsageText();

/** Program name and version, one line, as "--version" prints them. */
[[nodiscard]] std::string VersionText();

/** True when `argument` has one of the forms above, in any letter case. */
[[nodiscard]] bool IsSwitch(const std::string& argument);
