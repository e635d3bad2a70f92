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
    std::string OutputFile;                 // after the format switch; "-" is standard output
    bool Help = false;
    std::string Error;                      // non-empty when the arguments make no sense

    [[nodiscard]] bool IsBatch() const { return Format != ExportFormat::None || Help || !Error.empty(); }
};

// Arguments without the program's own path. Prefixes and switches match in any letter case.
[[nodiscard]] CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

[[nodiscard]] std::string UsageText();
