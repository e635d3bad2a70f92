#include "cacheindex/cachefolders.h"

#include "platform/asciicase.h"
#include "platform/files.h"

namespace varnok {

namespace {

constexpr const char* kContentFolderName = "Content.IE5";

bool namesContentFolder(const std::string& path)
{
    return FindIgnoringAsciiCase(path, "content.ie5") != std::string::npos;
}

} // namespace

std::string NormaliseFolder(const std::string& folder)
{
    if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
        return folder;
    return folder + "/";
}

std::string ContentFolderOf(const std::string& cacheFolder)
{
    std::string name = kContentFolderName;
    // Only a folder text that ends with the separator names a folder to look inside.
    const bool isFolder = !cacheFolder.empty() && cacheFolder.back() == '/';
    if (isFolder && !FolderExists(cacheFolder + name)) {
        const std::string other = FindSubFolderIgnoringCase(cacheFolder, name);
        if (!other.empty())
            name = other;
    }
    return cacheFolder + name + "/";
}

void SplitCachePath(CachePaths& paths)
{
    const std::string typed = paths.CacheFolder;
    if (const auto index = FindIgnoringAsciiCase(typed, "index.dat"); index != std::string::npos)
        paths.CacheFolder = typed.substr(0, index);
    if (const auto content = FindIgnoringAsciiCase(typed, "content.ie5");
        content != std::string::npos) {
        paths.ContentFolder = paths.CacheFolder;
        paths.CacheFolder = typed.substr(0, content);
    } else {
        paths.ContentFolder = ContentFolderOf(paths.CacheFolder);
    }
}

void SetFoldersFromPathBox(CachePaths& paths, const std::string& pathBoxText)
{
    paths.CacheFolder = NormaliseFolder(pathBoxText);
    paths.ContentFolder = namesContentFolder(paths.CacheFolder)
                              ? paths.CacheFolder
                              : ContentFolderOf(paths.CacheFolder);
}

bool ApplyStartupFolderRule(CachePaths& paths, const std::string& folder)
{
    paths.CacheFolder = NormaliseFolder(folder);
    paths.ContentFolder = ContentFolderOf(paths.CacheFolder);
    return FolderExists(paths.ContentFolder);
}

void HideDesktopIni(const std::string& folder)
{
    // An empty folder text would name desktop.ini in whatever the working folder is.
    if (folder.empty())
        return;
    const std::string ini = folder + "desktop.ini";
    const std::string hidden = folder + "desktop.in0";
    // A desktop.in0 left by an interrupted run goes back first, so it is not stranded
    // next to nothing; with both names present neither is touched.
    if (!PathExists(ini) && PathExists(hidden))
        (void)RenameNoReplace(hidden, ini);
    (void)RenameNoReplace(ini, hidden);
}

void RestoreDesktopIni(const std::string& folder)
{
    if (folder.empty())
        return;
    (void)RenameNoReplace(folder + "desktop.in0", folder + "desktop.ini");
}

} // namespace varnok
