#include "cacheindex/indexscan.h"

#include "cacheindex/indexscanner.h"
#include "platform/files.h"

void ScanIndexFile(const std::string& indexFilePath, ScanMode mode, const ScanOptions& options,
                   TBaseGrid& grid, ScanView& view)
{
    IndexScanner(mode, options, grid, view).Run(indexFilePath);
}

void ReadIndexAtStartup(const std::string& contentFolder, const ScanOptions& options,
                        TBaseGrid& grid, ScanView& view)
{
    ScanIndexFile(StartupIndexFilePath(contentFolder), ScanMode::Startup, options, grid, view);
}

std::string StartupIndexFilePath(const std::string& contentFolder)
{
    return contentFolder + "index.dat";
}

std::string IndexSizeText(const std::string& path)
{
    const auto size = FileSizeOf(path);
    if (!size)
        return {};
    return std::to_string(*size / 1024) + " KB";
}
