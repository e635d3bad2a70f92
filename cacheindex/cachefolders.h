#pragma once

#include <string>

namespace varnok {

// The three path texts that carry the cache folder from one command to the next.
struct CachePaths {
    std::string CacheFolder;   // normally ends with "/"
    std::string ContentFolder; // CacheFolder + "Content.IE5/", or the content folder itself
    std::string IndexFilePath; // the index file last chosen in the open dialog
};

// Appends "/" unless the path already ends with "/" or "\"; an empty path becomes "/".
[[nodiscard]] std::string NormaliseFolder(const std::string& folder);

// The content folder of a cache folder: "Content.IE5/" inside it, or, where no folder of
// exactly that name exists, a sub-folder whose name matches it without regard to case
// (images copied from Windows often carry CONTENT.IE5). Always ends with "/".
[[nodiscard]] std::string ContentFolderOf(const std::string& cacheFolder);

// Derives CacheFolder and ContentFolder from the current CacheFolder text, which may name
// the cache folder, the content folder or the index file; "index.dat" and "content.ie5"
// are found without regard to case but the text is cut as the user typed it.
void SplitCachePath(CachePaths& paths);

// The OK button's path rule: the path box text, "/" appended; ContentFolder is the text
// itself when it names the content folder, else the content folder inside it.
void SetFoldersFromPathBox(CachePaths& paths, const std::string& pathBoxText);

// The start-up rule for the command line, the stored default and the system folder:
// normalise CacheFolder, derive ContentFolder; true when the content folder exists.
[[nodiscard]] bool ApplyStartupFolderRule(CachePaths& paths, const std::string& folder);

// The message when a path leads to no index file.
inline constexpr const char* kMissingIndexFileMessage =
    "Invalid cache path or data file does not exist, please try again!";

// desktop.ini is set aside as desktop.in0 while the open dialog is up and given back
// afterwards. A stale desktop.in0 without a desktop.ini is renamed back first; neither
// file is ever overwritten or deleted. Failures are silent.
void HideDesktopIni(const std::string& folder);
void RestoreDesktopIni(const std::string& folder);

} // namespace varnok
