#pragma once

#include <string>
#include <string_view>

namespace varnok {

class TResultGrid;

// The three save commands of the main window: each proposes its own file type in the save
// dialog and writes the list with its own writer. All three remember the folder and the
// name of the last file saved.

/** The save dialog's file types, as pairs of description and pattern separated by "|". */
inline constexpr std::string_view kSaveDialogFilter =
    "Text|*.txt|Excel (CSV)|*.csv|HTML|*.htm|All files (*.*)|*.*";

enum class SaveFormat { Text, SeparatedValues, Html };

struct SaveCommand {
    SaveFormat Format;
    const char* DefaultExtension;
    int FilterIndex; // 1-based, into kSaveDialogFilter
};

inline constexpr SaveCommand kSaveAsText{SaveFormat::Text, "txt", 1};
inline constexpr SaveCommand kSaveAsExcel{SaveFormat::SeparatedValues, "csv", 2};
inline constexpr SaveCommand kSaveAsHtml{SaveFormat::Html, "htm", 3};

/** What the save dialog opens with. */
struct SaveFileRequest {
    std::string InitialDir;
    std::string FileName;
    std::string DefaultExtension;
    int FilterIndex = 1;
};

/** The name the save dialog proposes: the file saved last, with the extension of another format
 * (".txt", ".csv", ".htm", ".html", in any letter case) changed to the command's, so that a list is
 * never proposed under a name that says it holds another format. Any other name is proposed as it
 * is. */
[[nodiscard]] std::string ProposedFileName(std::string_view lastFileName,
                                           const SaveCommand& command);

/** The folder of a file name: everything up to and including its last "/", else empty. */
[[nodiscard]] std::string FolderOfFileName(std::string_view fileName);

/** Writes every row of `grid` to `fileName` in `format`; the spreadsheet form separates the values
 * with ";". Raises EGridError when the file cannot be written; it is then unchanged. */
void SaveGridAs(TResultGrid& grid, SaveFormat format, const std::string& fileName);

} // namespace varnok
