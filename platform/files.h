#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace varnok {

// File-system checks and the one rename the program performs. Paths are byte strings
// handed to the system unchanged; nothing here follows or resolves them beyond what the
// system call itself does.

/** True when `path` names something that is not a folder (a file, a device, a link to one). */
[[nodiscard]] bool FileExists(const std::string& path);

/** True when `path` names a folder (or a link to one). */
[[nodiscard]] bool FolderExists(const std::string& path);

/** True when anything at all carries the name `path`, a dangling link included. */
[[nodiscard]] bool PathExists(const std::string& path);

/** Size in bytes of the regular file `path`; nothing when it is missing or not a file. */
[[nodiscard]] std::optional<std::int64_t> FileSizeOf(const std::string& path);

// Which file a path names on this system: its device and inode number. Two paths name the
// same file exactly when these agree, whatever links and folder names lead to them.
struct FileId {
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    friend bool operator==(const FileId&, const FileId&) = default;
};

/** The file `path` names, links followed; nothing when it names nothing. */
[[nodiscard]] std::optional<FileId> FileIdOf(const std::string& path);
/** The file open as descriptor `fd` (1 for standard output); nothing when it is not open. */
[[nodiscard]] std::optional<FileId> FileIdOfDescriptor(int fd);

/** Renames `from` to `to` only when `to` does not exist; never replaces anything. False when the
 * rename did not happen (source missing, target present, other failure). */
[[nodiscard]] bool RenameNoReplace(const std::string& from, const std::string& to);

/** Name of a sub-folder of `folder` that matches `name` without regard to ASCII letter case,
 * preferring the exact spelling; empty when there is none. `folder` may or may not end with "/". */
[[nodiscard]] std::string FindSubFolderIgnoringCase(const std::string& folder,
                                                    const std::string& name);

} // namespace varnok
