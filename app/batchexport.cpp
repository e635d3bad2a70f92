#include "app/batchexport.h"

#include <unistd.h>

#include <iostream>
#include <optional>
#include <stdexcept>
#include <utility>

#include "app/settings.h"
#include "app/startupfolder.h"
#include "cacheindex/cachefolders.h"
#include "cacheindex/indexscan.h"
#include "cacheindex/scanview.h"
#include "grid/resultgrid.h"
#include "platform/files.h"
#include "platform/internetcache.h"
#include "platform/readonlyfile.h"

namespace {

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

// The start-up folder choice without a window: the first folder that cannot be used ends
// the export with the window's message for it.
class BatchStartupFolder final : public StartupFolderHost {
public:
    BatchStartupFolder(std::string storedDefault, std::ostream& err)
        : m_storedDefault(std::move(storedDefault)), m_err(err)
    {
    }
    std::string StoredDefaultFolder() override { return m_storedDefault; }
    void Trying(StartupFolderSource, const std::string&) override {}
    bool Rejected(StartupFolderSource source) override
    {
        m_err << InvalidStartupFolderMessage(source) << '\n';
        m_rejected = true;
        return false;
    }
    [[nodiscard]] bool RejectedOne() const { return m_rejected; }

private:
    std::string m_storedDefault;
    std::ostream& m_err;
    bool m_rejected = false;
};

// The open command's scan of a chosen file, or the start-up read of a content folder.
struct ReadPlan {
    ScanMode Mode = ScanMode::Startup;
    std::string IndexFile;
};

// Which file to read and how, following the start-up folder choice; nothing on failure,
// with the reason written to `err`.
std::optional<ReadPlan> PlanRead(const CommandLine& commandLine, const ProgramSettings& program,
                                 std::ostream& err)
{
    if (commandLine.IndexFile) {
        // Only a name that leads nowhere gets the window's message; anything else that
        // cannot be read is named with its reason before the scan.
        if (!PathExists(*commandLine.IndexFile)) {
            err << kMissingIndexFileMessage << '\n';
            return std::nullopt;
        }
        return ReadPlan{ScanMode::OpenCommand, *commandLine.IndexFile};
    }
    CachePaths paths;
    BatchStartupFolder host(program.DefaultCachePath, err);
    if (!ChooseStartupFolder(commandLine.CacheFolder, host, paths)) {
        if (host.RejectedOne())
            return std::nullopt;
        const std::optional<std::string> systemFolder = FindInternetCacheFolder();
        if (!systemFolder || !ApplyStartupFolderRule(paths, *systemFolder)) {
            err << kCachePathNotFound << '\n';
            return std::nullopt;
        }
    }
    return ReadPlan{ScanMode::Startup, StartupIndexFilePath(paths.ContentFolder)};
}

// The window lists nothing for an index it cannot read; an export that did the same would
// report an empty list of evidence as a success.
bool CheckReadable(const std::string& indexFile, std::ostream& err)
{
    ReadOnlyFile file;
    if (file.Open(indexFile))
        return true;
    err << "Cannot read the index file " << indexFile << ": " << file.OpenError() << '\n';
    return false;
}

// The export must never replace the evidence it reads: an output that is the index file
// under any name, through any link, or standard output sent into it is refused before
// anything is written.
bool CheckOutputIsNotInput(const std::string& outputFile, const std::string& indexFile,
                           std::ostream& err)
{
    const std::optional<FileId> input = FileIdOf(indexFile);
    const std::optional<FileId> output =
        outputFile == "-" ? FileIdOfDescriptor(STDOUT_FILENO) : FileIdOf(outputFile);
    if (!input || !output || *input != *output)
        return true;
    err << "Cannot write " << (outputFile == "-" ? "standard output" : outputFile)
        << ": it is the index file " << indexFile << '\n';
    return false;
}

bool WriteToStream(const TResultGrid& grid, ExportFormat format, std::ostream& stream)
{
    switch (format) {
    case ExportFormat::Text:
        return grid.SaveToASCII(stream);
    case ExportFormat::Csv:
        return grid.SaveToCSV(stream);
    case ExportFormat::Html:
        return grid.SaveToHTML(stream);
    case ExportFormat::None:
        break;
    }
    return true;
}

// Throws with the writer's message ("Cannot Create file ...") when the file cannot be made.
void WriteToFile(const TResultGrid& grid, ExportFormat format, const std::string& fileName)
{
    switch (format) {
    case ExportFormat::Text:
        grid.SaveToASCII(fileName);
        break;
    case ExportFormat::Csv:
        grid.SaveToCSV(fileName);
        break;
    case ExportFormat::Html:
        grid.SaveToHTML(fileName);
        break;
    case ExportFormat::None:
        break;
    }
}

void Save(TResultGrid& grid, ExportFormat format, const std::string& outputFile)
{
    grid.CSVSeparator = ';';
    if (outputFile != "-") {
        WriteToFile(grid, format, outputFile);
        return;
    }
    if (!WriteToStream(grid, format, std::cout) || !std::cout.flush())
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
    if (commandLine.Version) {
        out << VersionText();
        return 0;
    }
    if (!commandLine.Error.empty()) {
        err << commandLine.Error << '\n' << UsageText();
        return 1;
    }
    const ProgramSettings program = settings.LoadProgramSettings();
    const std::optional<ReadPlan> plan = PlanRead(commandLine, program, err);
    if (!plan || !CheckReadable(plan->IndexFile, err) ||
        !CheckOutputIsNotInput(commandLine.OutputFile, plan->IndexFile, err))
        return 1;

    const ScanOptions options{program.DateFormat, program.ShowAllEntries, program.CellFormatHtml};
    TResultGrid grid;
    BatchScanView view(err);
    ScanIndexFile(plan->IndexFile, plan->Mode, options, grid, view);
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
