#pragma once

#include <optional>
#include <string>

#include "cacheindex/cachefolders.h"

namespace varnok {

// The cache folder a start is given, chosen the same way by the window and the batch export:
// the first "/cache:" argument, else the stored default folder, each taken when its content
// folder exists. When neither is given, the system's cache folder is looked up instead.

enum class StartupFolderSource { CommandLine, StoredDefault };

/** The message for a folder from `source` whose content folder does not exist. */
[[nodiscard]] const char* InvalidStartupFolderMessage(StartupFolderSource source);

/** The message when no cache folder can be found at all (the system has none). */
inline constexpr const char* kCachePathNotFound = "Cache path not found!";

// The part of the caller in the choice: the window shows the folder and its boxes, the
// batch export writes its messages and stops at the first folder it cannot use.
class StartupFolderHost {
public:
    virtual ~StartupFolderHost() = default;
    /** The stored default folder, read when the choice comes to it; empty when none is stored. */
    [[nodiscard]] virtual std::string StoredDefaultFolder() = 0;
    /** `folder` from `source` is about to be tried. */
    virtual void Trying(StartupFolderSource source, const std::string& folder) = 0;
    /** The folder from `source` has no content folder; true to go on to the next way. */
    [[nodiscard]] virtual bool Rejected(StartupFolderSource source) = 0;
};

// Tries the command line's folder (when given), then the stored default (when not empty).
// The way whose folder is taken, with `paths` holding its cache and content folders; nothing
// when none is, or when the host stopped the choice.
[[nodiscard]] std::optional<StartupFolderSource>
ChooseStartupFolder(const std::optional<std::string>& commandLineFolder, StartupFolderHost& host,
                    CachePaths& paths);

} // namespace varnok
