#include "grid/indexlisting.h"

#include "cacheindex/indexscanner.h"

namespace varnok {

void ScanIndexFile(const std::string& indexFilePath, ScanMode mode, const ScanOptions& options,
                   TBaseGrid& grid, ScanView& view)
{
    ListRowSink rows(mode, options, grid, view);
    IndexScanner(mode, view, rows).Run(indexFilePath);
}

void ScanIndexFile(const std::string& indexFilePath, ByteSource& source, ScanMode mode,
                   const ScanOptions& options, TBaseGrid& grid, ScanView& view)
{
    ListRowSink rows(mode, options, grid, view);
    IndexScanner(mode, view, rows).Run(indexFilePath, source);
}

void ReadIndexAtStartup(const std::string& contentFolder, const ScanOptions& options,
                        TBaseGrid& grid, ScanView& view)
{
    ScanIndexFile(StartupIndexFilePath(contentFolder), ScanMode::Startup, options, grid, view);
}

} // namespace varnok
