#include "app/startupfolder.h"

namespace varnok {

namespace {

// Tries one folder; true when it is taken.
bool tryFolder(StartupFolderSource source, const std::string& folder, StartupFolderHost& host,
               CachePaths& paths, bool& goOn)
{
    host.Trying(source, folder);
    if (ApplyStartupFolderRule(paths, folder))
        return true;
    goOn = host.Rejected(source);
    return false;
}

} // namespace

const char* InvalidStartupFolderMessage(StartupFolderSource source)
{
    return source == StartupFolderSource::CommandLine
               ? "Invalid Cache path in command line,\t please try again!"
               : "Invalid default Cache path,please set default path new!";
}

std::optional<StartupFolderSource>
ChooseStartupFolder(const std::optional<std::string>& commandLineFolder, StartupFolderHost& host,
                    CachePaths& paths)
{
    bool goOn = true;
    if (commandLineFolder &&
        tryFolder(StartupFolderSource::CommandLine, *commandLineFolder, host, paths, goOn))
        return StartupFolderSource::CommandLine;
    if (!goOn)
        return std::nullopt;
    const std::string storedDefault = host.StoredDefaultFolder();
    if (!storedDefault.empty() &&
        tryFolder(StartupFolderSource::StoredDefault, storedDefault, host, paths, goOn))
        return StartupFolderSource::StoredDefault;
    return std::nullopt;
}

} // namespace varnok
