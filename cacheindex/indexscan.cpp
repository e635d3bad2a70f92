#include "cacheindex/indexscan.h"

#include "platform/files.h"

namespace varnok {

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

} // namespace varnok
