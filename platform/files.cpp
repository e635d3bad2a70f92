#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/asciicase.h"

namespace varnok {

namespace {

bool statPath(const std::string& path, struct stat& info)
{
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

// For file systems without renameat2's no-replace flag: a hard link fails when the target
// exists, so link-then-unlink never replaces anything either.
bool linkThenUnlink(const std::string& from, const std::string& to)
{
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    if (::unlink(from.c_str()) != 0) {
        // Both names point at the same file; drop the new one so nothing looks renamed.
        ::unlink(to.c_str());
        return false;
    }
    return true;
}

FileId fileIdOf(const struct stat& info)
{
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

} // namespace

std::optional<FileId> FileIdOf(const std::string& path)
{
    struct stat info {};
    if (!statPath(path, info))
        return std::nullopt;
    return fileIdOf(info);
}

std::optional<FileId> FileIdOfDescriptor(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return std::nullopt;
    return fileIdOf(info);
}

bool FileExists(const std::string& path)
{
    struct stat info {};
    return statPath(path, info) && !S_ISDIR(info.st_mode);
}

bool FolderExists(const std::string& path)
{
    struct stat info {};
    return statPath(path, info) && S_ISDIR(info.st_mode);
}

bool PathExists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::lstat(path.c_str(), &info) == 0;
}

std::optional<std::int64_t> FileSizeOf(const std::string& path)
{
    struct stat info {};
    if (!statPath(path, info) || !S_ISREG(info.st_mode))
        return std::nullopt;
    return static_cast<std::int64_t>(info.st_size);
}

bool RenameNoReplace(const std::string& from, const std::string& to)
{
    if (from.empty() || to.empty())
        return false;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (linkThenUnlink(from, to))
        return true;
    // File systems without hard links (FAT images, some network shares): check, then
    // rename. Another program could create the target in between; nothing here does.
    if (PathExists(to) || !PathExists(from))
        return false;
    return ::rename(from.c_str(), to.c_str()) == 0;
}

std::string FindSubFolderIgnoringCase(const std::string& folder, const std::string& name)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? std::string(".") : folder, error);
    if (error)
        return {};
    std::vector<std::string> matches;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            break;
        const std::string entry = it->path().filename().string();
        std::error_code typeError;
        if (EqualsIgnoringAsciiCase(entry, name) && it->is_directory(typeError))
            matches.push_back(entry);
    }
    if (matches.empty())
        return {};
    if (std::find(matches.begin(), matches.end(), name) != matches.end())
        return name;
    // Directory order is arbitrary; sorting makes the choice the same on every run.
    std::sort(matches.begin(), matches.end());
    return matches.front();
}

} // namespace varnok
