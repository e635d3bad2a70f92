#include "app/launchedpath.h"

#include <algorithm>
#include <filesystem>

#include "app/commandline.h"
#include "cacheindex/cachefolders.h"
#include "platform/files.h"

namespace varnok {

namespace {

std::string FolderOf(const std::filesystem::path& path)
{
    const std::filesystem::path parent = path.parent_path();
    // A bare file name lies in the working folder; an empty folder text would instead
    // name the root's content folder.
    return parent.empty() ? std::string(".") : parent.string();
}

// True when the start-up read of `cacheFolder` reads the very file `file` names, the way
// start-up finds the content folder (exact name first, else any letter case).
bool StartupReads(const std::string& cacheFolder, const std::string& file)
{
    const std::string readByStartup = ContentFolderOf(NormaliseFolder(cacheFolder)) + "index.dat";
    const std::optional<FileId> chosen = FileIdOf(file);
    return chosen && FileIdOf(readByStartup) == chosen;
}

} // namespace

std::string CacheFolderOfLaunchedPath(const std::string& path)
{
    if (!FileExists(path))
        return path;
    const std::string folder = FolderOf(path);
    const std::string aboveFolder = FolderOf(std::filesystem::path(folder));
    if (StartupReads(aboveFolder, path))
        return aboveFolder;
    return folder;
}

std::vector<std::string> WithLaunchedPathAsCacheFolder(std::vector<std::string> arguments)
{
    if (ParseCommandLine(arguments).CacheFolder)
        return arguments;
    const auto launched =
        std::find_if(arguments.begin(), arguments.end(), [](const std::string& argument) {
            return !argument.empty() && !IsSwitch(argument);
        });
    if (launched != arguments.end())
        *launched = "/cache:" + CacheFolderOfLaunchedPath(*launched);
    return arguments;
}

} // namespace varnok
