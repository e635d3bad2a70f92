#include "app/timelineexport.h"

#include <unistd.h>

#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>

#include "app/batchscanview.h"
#include "app/indexfilesearch.h"
#include "app/savetarget.h"
#include "cacheindex/cachefolders.h"
#include "cacheindex/indexscanner.h"
#include "forensic/timelinesink.h"
#include "grid/table/griderror.h"
#include "platform/files.h"
#include "platform/readonlyfile.h"
#include "platform/replacingfile.h"

namespace varnok {

namespace {

// Where the timeline goes: standard output, or a file that takes its place only once the
// timeline is complete, so a failed export leaves nothing behind.
class TimelineOutput {
public:
    explicit TimelineOutput(const std::string& name) : m_name(name)
    {
        if (name != "-")
            m_file = std::make_unique<ReplacingFile>(name);
    }

    /** Throws with the message when the file cannot be created. */
    std::ostream& Open()
    {
        if (!m_file)
            return std::cout;
        if (!m_file->Open())
            throw CannotCreateFile(m_name, m_file->ErrorString());
        return m_file->Stream();
    }

    /** The identity of what is written to, so no index file read is written over. */
    [[nodiscard]] std::optional<FileId> Id() const
    {
        return m_file ? FileIdOf(m_name) : FileIdOfDescriptor(STDOUT_FILENO);
    }
    [[nodiscard]] std::string DisplayName() const { return m_file ? m_name : "standard output"; }

    /** Throws with the message when the timeline could not be written whole. */
    void Commit(TimelineSink& sink)
    {
        if (!sink.Flush() || (m_file && !m_file->Commit())) {
            if (!m_file)
                throw std::runtime_error("Cannot write to standard output");
            throw CannotWriteFile(m_name, m_file->ErrorString());
        }
    }

private:
    std::string m_name;
    std::unique_ptr<ReplacingFile> m_file;
};

TimelineFormat FormatOf(const CommandLine& commandLine)
{
    return commandLine.Format == ExportFormat::JsonLines ? TimelineFormat::JsonLines
                                                         : TimelineFormat::BodyFile;
}

// The reason an index file cannot be read at all; nothing when it opens.
std::optional<std::string> OpenRefusal(const std::string& path)
{
    ReadOnlyFile file;
    if (file.Open(path))
        return std::nullopt;
    return file.OpenError();
}

// Scans one index file into the sink; the reason when a stretch of it could not be read.
std::string ScanInto(const std::string& path, TimelineSink& sink, const BatchExportTools& tools)
{
    BatchScanView view;
    IndexScanner scanner(ScanMode::OpenCommand, view, sink);
    if (tools.OpenIndex) {
        const std::unique_ptr<ByteSource> source = tools.OpenIndex(path);
        scanner.Run(path, *source);
    } else {
        scanner.Run(path);
    }
    return view.Failure();
}

// Scans an index file that a walk of a folder found. The file is opened without following
// a link, so one put in its place since the walk looked cannot lead the read out of the
// folder; the reason when it cannot be opened or a stretch of it could not be read.
std::string ScanFoundFile(const std::string& path, TimelineSink& sink,
                          const BatchExportTools& tools)
{
    if (tools.OpenIndex)
        return ScanInto(path, sink, tools);
    ReadOnlyFile file;
    if (!file.OpenWithoutFollowing(path))
        return file.OpenError();
    BatchScanView view;
    IndexScanner(ScanMode::OpenCommand, view, sink).Run(path, file);
    return view.Failure();
}

void PrintCounts(const CommandLine& commandLine, const TimelineSink& sink, std::ostream& out,
                 std::ostream& err, std::optional<int> fileCount)
{
    // With the timeline on standard output the line would spoil it, so it goes with the
    // messages.
    std::ostream& stream = commandLine.OutputFile == "-" ? err : out;
    stream << sink.RecordCount() << " records, " << sink.EventCount() << " events";
    if (fileCount)
        stream << " from " << *fileCount << " index files";
    stream << '\n';
}

int ExportIndexFile(const CommandLine& commandLine, std::ostream& out, std::ostream& err,
                    const BatchExportTools& tools)
{
    const std::string& indexFile = *commandLine.IndexFile;
    if (!PathExists(indexFile)) {
        err << kMissingIndexFileMessage << '\n';
        return 1;
    }
    if (const std::optional<std::string> refusal = OpenRefusal(indexFile)) {
        err << "Cannot read the index file " << indexFile << ": " << *refusal << '\n';
        return 1;
    }
    TimelineOutput output(commandLine.OutputFile);
    if (const std::optional<std::string> refusal =
            IndexFileTargetRefusal(output.Id(), output.DisplayName(), indexFile)) {
        err << *refusal << '\n';
        return 1;
    }
    TimelineSink sink(FormatOf(commandLine), output.Open());
    sink.SetSource(indexFile);
    // A timeline with a stretch missing is no timeline of the evidence: nothing is kept.
    if (const std::string failure = ScanInto(indexFile, sink, tools); !failure.empty()) {
        err << "Cannot read the index file " << indexFile << ": " << failure << '\n';
        return 1;
    }
    output.Commit(sink);
    PrintCounts(commandLine, sink, out, err, std::nullopt);
    return 0;
}

// Reads each index file the search finds into the one timeline and names on `err` every
// one that could not be read whole.
class FolderScan final : public IndexFileSearchHost {
public:
    FolderScan(TimelineSink& sink, const TimelineOutput& output, std::ostream& err,
               const BatchExportTools& tools)
        : m_sink(sink), m_output(output), m_outputId(output.Id()), m_err(err), m_tools(tools)
    {
    }

    void IndexFileFound(const std::string& path, const std::string& relative) override
    {
        if (const std::optional<std::string> refusal =
                IndexFileTargetRefusal(m_outputId, m_output.DisplayName(), path))
            throw std::runtime_error(*refusal);
        ReadOnlyFile probe;
        if (!probe.OpenWithoutFollowing(path)) {
            SearchProblem(relative, probe.OpenError());
            return;
        }
        probe.Close();
        ++m_fileCount;
        m_sink.SetSource(relative);
        // Records read before a damaged stretch are kept: they are what the file holds.
        if (const std::string failure = ScanFoundFile(path, m_sink, m_tools); !failure.empty())
            SearchProblem(relative, failure);
    }

    void SearchProblem(const std::string& relative, const std::string& reason) override
    {
        m_err << "Cannot read " << relative << " whole: " << reason << '\n';
        m_incomplete = true;
    }

    [[nodiscard]] int FileCount() const { return m_fileCount; }
    [[nodiscard]] bool Incomplete() const { return m_incomplete; }

private:
    TimelineSink& m_sink;
    const TimelineOutput& m_output;
    std::optional<FileId> m_outputId;
    std::ostream& m_err;
    const BatchExportTools& m_tools;
    int m_fileCount = 0;
    bool m_incomplete = false;
};

int ExportFolder(const CommandLine& commandLine, std::ostream& out, std::ostream& err,
                 const BatchExportTools& tools)
{
    const std::string& folder = *commandLine.ScanFolder;
    TimelineOutput output(commandLine.OutputFile);
    TimelineSink sink(FormatOf(commandLine), output.Open());
    FolderScan scan(sink, output, err, tools);
    std::string reason;
    if (!FindIndexFiles(folder, scan, reason)) {
        err << "Cannot read the folder " << folder << ": " << reason << '\n';
        return 1;
    }
    output.Commit(sink);
    PrintCounts(commandLine, sink, out, err, scan.FileCount());
    return scan.Incomplete() ? 2 : 0;
}

} // namespace

int RunTimelineExport(const CommandLine& commandLine, std::ostream& out, std::ostream& err,
                      const BatchExportTools& tools)
{
    try {
        return commandLine.ScanFolder ? ExportFolder(commandLine, out, err, tools)
                                      : ExportIndexFile(commandLine, out, err, tools);
    } catch (const std::bad_alloc&) {
        err << "Not enough memory to write the timeline\n";
    } catch (const std::exception& error) {
        err << error.what() << '\n';
    }
    return 1;
}

} // namespace varnok
