#include "app/batchexport.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>
#include <optional>
#include <stdexcept>
#include <utility>

#include "app/batchscanview.h"
#include "app/exhibit.h"
#include "app/savetarget.h"
#include "app/settings.h"
#include "app/startupfolder.h"
#include "app/timelineexport.h"
#include "cacheindex/cachefolders.h"
#include "cacheindex/indexscan.h"
#include "cacheindex/scanview.h"
#include "grid/indexlisting.h"
#include "grid/resultgrid.h"
#include "grid/search/addressfilter.h"
#include "grid/table/gridsort.h"
#include "platform/files.h"
#include "platform/internetcache.h"
#include "platform/readonlyfile.h"
#include "platform/shortdateformat.h"

namespace varnok {

namespace {

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
    const bool toStandardOutput = outputFile == "-";
    const std::optional<std::string> refusal = IndexFileTargetRefusal(
        toStandardOutput ? FileIdOfDescriptor(STDOUT_FILENO) : FileIdOf(outputFile),
        toStandardOutput ? "standard output" : outputFile, indexFile);
    if (!refusal)
        return true;
    err << *refusal << '\n';
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
    case ExportFormat::Pdf:
    case ExportFormat::JsonLines:
    case ExportFormat::BodyFile:
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
    case ExportFormat::Pdf:
    case ExportFormat::JsonLines:
    case ExportFormat::BodyFile:
        break;
    }
}

// A PDF for standard output is printed into a private temporary folder first: the printer
// writes only files, and a failed print must send nothing.
int PrintPdfToStandardOutput(TResultGrid& grid, const BatchExportTools& tools)
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/varnok5-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("Cannot create a temporary folder in " + pattern);
    const std::filesystem::path folder(pattern);
    const std::string file = (folder / "list.pdf").string();
    int pages = 0;
    bool written = false;
    try {
        pages = tools.PrintToPdf(grid, file);
        std::ifstream printed(file, std::ios::binary);
        written = static_cast<bool>(std::cout << printed.rdbuf()) && std::cout.flush();
    } catch (...) {
        std::filesystem::remove_all(folder);
        throw;
    }
    std::filesystem::remove_all(folder);
    if (!written)
        throw std::runtime_error("Cannot write to standard output");
    return pages;
}

// The facts each printed page states about the index file, which is read again (read-only,
// through the same file layer as the scan) to hash it.
ExhibitFacts IndexFileFacts(const TResultGrid& grid, const std::string& indexFile, int dateFormat,
                            bool landscape, const BatchExportTools& tools)
{
    if (tools.OpenIndex) {
        const std::unique_ptr<ByteSource> source = tools.OpenIndex(indexFile);
        return GatherExhibitFacts(grid, indexFile, *source, dateFormat, landscape);
    }
    ReadOnlyFile file;
    if (!file.Open(indexFile))
        throw std::runtime_error("Cannot read the index file " + indexFile + ": " +
                                 file.OpenError());
    return GatherExhibitFacts(grid, indexFile, file, dateFormat, landscape);
}

// The printed pages as a case exhibit, with the column widths a new window starts with.
int PrintPdf(TResultGrid& grid, const std::string& outputFile, const VarnokSettings& settings,
             const ExhibitFacts& facts, const BatchExportTools& tools)
{
    settings.ReadColumnWidths(grid);
    grid.PrintSettings = ExhibitPrintSettings(facts);
    return outputFile == "-" ? PrintPdfToStandardOutput(grid, tools)
                             : tools.PrintToPdf(grid, outputFile);
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

// Reads the planned file into the grid through the file layer the tools give.
void ReadIndex(const ReadPlan& plan, const ScanOptions& options, const BatchExportTools& tools,
               TResultGrid& grid, ScanView& view)
{
    if (!tools.OpenIndex) {
        ScanIndexFile(plan.IndexFile, plan.Mode, options, grid, view);
        return;
    }
    const std::unique_ptr<ByteSource> source = tools.OpenIndex(plan.IndexFile);
    ScanIndexFile(plan.IndexFile, *source, plan.Mode, options, grid, view);
}

// The command line's filter, then its sort, as the header clicks on screen sort.
void ArrangeRows(const CommandLine& commandLine, TResultGrid& grid)
{
    if (commandLine.AddressFilter)
        static_cast<void>(
            FilterRowsByAddress(grid, *commandLine.AddressFilter, SystemShortDateFormat()));
    if (commandLine.SortColumn == 0)
        return;
    GridSorter sorter(grid);
    for (int click = 0; click < (commandLine.SortDescending ? 2 : 1); ++click)
        static_cast<void>(sorter.ClickHeader(commandLine.SortColumn));
}

} // namespace

int RunBatchExport(const CommandLine& commandLine, const VarnokSettings& settings,
                   std::ostream& out, std::ostream& err, const BatchExportTools& tools)
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
    if (IsTimeline(commandLine.Format))
        return RunTimelineExport(commandLine, out, err, tools);
    const bool pdf = commandLine.Format == ExportFormat::Pdf;
    if (pdf && !tools.PrintToPdf) {
        err << "Cannot write " << commandLine.OutputFile
            << ": this build of varnok5 has no printing, so /spdf is not available\n";
        return 1;
    }
    const ProgramSettings program = settings.LoadProgramSettings();
    const std::optional<ReadPlan> plan = PlanRead(commandLine, program, err);
    if (!plan || !CheckReadable(plan->IndexFile, err) ||
        !CheckOutputIsNotInput(commandLine.OutputFile, plan->IndexFile, err))
        return 1;

    const ScanOptions options{program.DateFormat, program.ShowAllEntries, program.CellFormatHtml};
    TResultGrid grid;
    BatchScanView view;
    try {
        ReadIndex(*plan, options, tools, grid, view);
        // A list with a stretch missing is no list of the evidence: nothing is written.
        if (const std::string failure = view.Failure(); !failure.empty()) {
            err << "Cannot read the index file " << plan->IndexFile << ": " << failure << '\n';
            return 1;
        }
        ArrangeRows(commandLine, grid);
    } catch (const std::bad_alloc&) {
        err << "Not enough memory to list the index file " << plan->IndexFile << '\n';
        return 1;
    }
    int pages = 0;
    try {
        if (pdf)
            pages = PrintPdf(grid, commandLine.OutputFile, settings,
                             IndexFileFacts(grid, plan->IndexFile, program.DateFormat,
                                            commandLine.Landscape, tools),
                             tools);
        else
            Save(grid, commandLine.Format, commandLine.OutputFile);
    } catch (const std::exception& error) {
        err << error.what() << '\n';
        return 1;
    }
    // With the list on standard output the count would spoil it, so it goes with the messages.
    std::ostream& countStream = commandLine.OutputFile == "-" ? err : out;
    countStream << grid.GetRowCountEx() - 1 << " lines listed";
    if (pdf)
        countStream << ", " << pages << " pages";
    countStream << '\n';
    return 0;
}

} // namespace varnok
