#include "app/savecommands.h"

#include "grid/resultgrid.h"

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
