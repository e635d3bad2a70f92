#include "app/savecommands.h"

#include "grid/resultgrid.h"
#include "platform/asciicase.h"

namespace varnok {

namespace {

// The extensions that tell which format a file holds.
struct FormatExtension {
    SaveFormat Format;
    std::string_view Extension;
};
constexpr FormatExtension kFormatExtensions[] = {{SaveFormat::Text, "txt"},
                                                 {SaveFormat::SeparatedValues, "csv"},
                                                 {SaveFormat::Html, "htm"},
                                                 {SaveFormat::Html, "html"}};

} // namespace

std::string ProposedFileName(std::string_view lastFileName, const SaveCommand& command)
{
    const std::size_t dot = lastFileName.rfind('.');
    const std::size_t slash = lastFileName.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::string(lastFileName);
    const std::string_view extension = lastFileName.substr(dot + 1);
    for (const FormatExtension& known : kFormatExtensions) {
        if (known.Format != command.Format && EqualsIgnoringAsciiCase(extension, known.Extension))
            return std::string(lastFileName.substr(0, dot + 1)) + command.DefaultExtension;
    }
    return std::string(lastFileName);
}

std::string FolderOfFileName(std::string_view fileName)
{
    const std::size_t slash = fileName.rfind('/');
    return slash == std::string_view::npos ? std::string()
                                           : std::string(fileName.substr(0, slash + 1));
}

void SaveGridAs(TResultGrid& grid, SaveFormat format, const std::string& fileName)
{
    switch (format) {
    case SaveFormat::Text:
        grid.SaveToASCII(fileName);
        return;
    case SaveFormat::SeparatedValues:
        // Spreadsheets of the system's region expect ";" between the values.
        grid.CSVSeparator = ';';
        grid.SaveToCSV(fileName);
        return;
    case SaveFormat::Html:
        grid.SaveToHTML(fileName);
        return;
    }
}

} // namespace varnok
