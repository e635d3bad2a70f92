#include "app/batchexport.h"

#include <iostream>
#include <optional>
#include <stdexcept>

#include "app/settings.h"
#include "cacheindex/cachefolders.h"
#include "cacheindex/indexscan.h"
#include "cacheindex/scanview.h"
#include "grid/resultgrid.h"
#include "platform/files.h"
#include "platform/internetcache.h"

namespace {

// The messages the window would show for the same mistakes.
constexpr const char* kInvalidCommandLineFolder = "Invalid Cache path in command line,\t please try again!";
constexpr const char* kInvalidDefaultFolder = "Invalid default Cache path,please set default path new!";
constexpr const char* kMissingIndexFile =
    "Invalid cache path or data file does not exist, please try again!";
constexpr const char* kNoCacheFolder = "Cache path not found!";

// A scan view for a run without a window: file errors go to standard error, labels are kept.
class BatchScanView final : public RecordingScanView {
public:
    explicit BatchScanView(std::ostream& err) : m_err(err) {}
    void ShowFileError(const std::string& text, const std::string& caption) override
    {
        RecordingScanView::ShowFileError(text, caption);
        m_err << caption << ": " << text << '\n';
    }

private:
    std::ostream& m_err;
};

// The open command's scan of a chosen file, or the start-up read of a content folder.
struct ReadPlan {
    ScanMode Mode = ScanMode::Startup;
    std::string Path;
};

// Which file to read and how, following the start-up folder choice; nothing on failure,
// with the reason written to `err`.
std::optional<ReadPlan> PlanRead(const CommandLine& commandLine, const ProgramSettings& program,
                                 std::ostream& err)
{
    if (commandLine.IndexFile) {
        if (!FileExists(*commandLine.IndexFile)) {
            err << kMissingIndexFile << '\n';
            return std::nullopt;
        }
        return ReadPlan{ScanMode::OpenCommand, *commandLine.IndexFile};
    }
    CachePaths paths;
    if (commandLine.CacheFolder) {
        if (!ApplyStartupFolderRule(paths, *commandLine.CacheFolder)) {
            err << kInvalidCommandLineFolder << '\n';
            return std::nullopt;
        }
    } else if (!program.DefaultCachePath.empty()) {
        if (!ApplyStartupFolderRule(paths, program.DefaultCachePath)) {
            err << kInvalidDefaultFolder << '\n';
            return std::nullopt;
        }
    } else {
        const std::optional<std::string> systemFolder = FindInternetCacheFolder();
        if (!systemFolder || !ApplyStartupFolderRule(paths, *systemFolder)) {
            err << kNoCacheFolder << '\n';
            return std::nullopt;
        }
    }
    return ReadPlan{ScanMode::Startup, paths.ContentFolder};
}

void Save(TResultGrid& grid, ExportFormat format, const std::string& outputFile)
{
    if (format == ExportFormat::Csv)
        grid.CSVSeparator = ';';
    const bool toStandardOutput = outputFile == "-";
    switch (format) {
    case ExportFormat::Text:
        toStandardOutput ? grid.SaveToASCII(std::cout) : grid.SaveToASCII(outputFile);
        break;
    case ExportFormat::Csv:
        toStandardOutput ? grid.SaveToCSV(std::cout) : grid.SaveToCSV(outputFile);
        break;
    case ExportFormat::Html:
        toStandardOutput ? grid.SaveToHTML(std::cout) : grid.SaveToHTML(outputFile);
        break;
    case ExportFormat::None:
        break;
    }
    if (toStandardOutput && !std::cout.flush())
        throw std::runtime_error("Cannot write to standard output");
}

} // namespace

int RunBatchExport(const CommandLine& commandLine, const VarnokSettings& settings,
                   std::ostream& out, std::ostream& err)
{
    if (commandLine.Help) {
        out << UsageText();
        return 0;
    }
    if (!commandLine.Error.empty()) {
        err << commandLine.Error << '\n' << UsageText();
        return 1;
    }
    const ProgramSettings program = settings.LoadProgramSettings();
    const std::optional<ReadPlan> plan = PlanRead(commandLine, program, err);
    if (!plan)
        return 1;

    const ScanOptions options{program.DateFormat, program.ShowAllEntries, program.CellFormatHtml};
    TResultGrid grid;
    BatchScanView view(err);
    if (plan->Mode == ScanMode::Startup)
        ReadIndexAtStartup(plan->Path, options, grid, view);
    else
        ScanIndexFile(plan->Path, plan->Mode, options, grid, view);
    try {
        Save(grid, commandLine.Format, commandLine.OutputFile);
    } catch (const std::exception& error) {
        err << error.what() << '\n';
        return 1;
    }
    // With the list on standard output the count would spoil it, so it goes with the messages.
    std::ostream& countStream = commandLine.OutputFile == "-" ? err : out;
    countStream << view.LineCountText << " lines listed\n";
    return 0;
}
