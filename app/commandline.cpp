#include "app/commandline.h"

#include <algorithm>
#include <cctype>

namespace {

std::string LowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : static_cast<char>(c);
    });
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

ExportFormat FormatOfSwitch(const std::string& lowered)
{
    if (lowered == "/stext")
        return ExportFormat::Text;
    if (lowered == "/scsv")
        return ExportFormat::Csv;
    if (lowered == "/shtml")
        return ExportFormat::Html;
    return ExportFormat::None;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::string lowered = LowerAscii(argument);
        if (lowered == "--help" || lowered == "-h" || lowered == "/?") {
            result.Help = true;
        } else if (StartsWith(lowered, "/cache:")) {
            // Only the first folder counts, as at start-up.
            if (!result.CacheFolder)
                result.CacheFolder = argument.substr(7);
        } else if (StartsWith(lowered, "/open:")) {
            if (!result.IndexFile)
                result.IndexFile = argument.substr(6);
        } else if (const ExportFormat format = FormatOfSwitch(lowered); format != ExportFormat::None) {
            if (result.Format != ExportFormat::None) {
                result.Error = "Only one of /stext, /scsv and /shtml may be given.";
            } else if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                result.Error = "Missing output file after " + argument + ".";
            } else {
                result.Format = format;
                result.OutputFile = arguments[++i];
            }
        } else if (result.Format != ExportFormat::None) {
            result.Error = "Unexpected argument: " + argument;
        }
    }
    if (result.Error.empty() && result.Format != ExportFormat::None && result.CacheFolder &&
        result.IndexFile)
        result.Error = "Give either /cache: or /open:, not both.";
    return result;
}

std::string UsageText()
{
    return "Usage: varnok5 [/cache:FOLDER]\n"
           "       varnok5 [/cache:FOLDER | /open:INDEXFILE] (/stext | /scsv | /shtml) OUTFILE\n"
           "\n"
           "Without an output switch the viewer window opens, on FOLDER when given.\n"
           "With /stext, /scsv or /shtml the list is written to OUTFILE (\"-\" for standard\n"
           "output) as column-aligned text, semicolon-separated values or an HTML table, and\n"
           "no window opens. /cache: reads FOLDER/Content.IE5/index.dat; /open: reads the\n"
           "given index file. Without either, the stored default cache folder is read.\n"
           "Date order, the text-only filter and the cell format come from Varnok5.ini.\n";
}
