#include "app/savetarget.h"

namespace varnok {

std::optional<std::string> IndexFileTargetRefusal(const std::optional<FileId>& target,
                                                  const std::string& targetName,
                                                  const std::string& indexFile)
{
    const std::optional<FileId> index = FileIdOf(indexFile);
    if (!target || !index || *target != *index)
        return std::nullopt;
    return "Cannot write " + targetName + ": it is the index file " + indexFile;
}

std::optional<std::string> IndexFileTargetRefusal(const std::string& targetFile,
                                                  const std::string& indexFile)
{
    return IndexFileTargetRefusal(FileIdOf(targetFile), targetFile, indexFile);
}

std::string ReplaceQuestion(const std::string& fileName)
{
    return fileName + " already exists.\nDo you want to replace it?";
}

} // namespace varnok
