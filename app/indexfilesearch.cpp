#include "app/indexfilesearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

namespace varnok {

namespace {

constexpr std::array<std::string_view, 2> kIndexSignatures = {"Client UrlCache MMF Ver ",
                                                              "WINE URLCache Ver "};
constexpr std::size_t kLongestSignature = 24;

struct FolderEntry {
    // The name as it sorts among full paths: a folder's name with "/" behind it, so
    // "a.txt" comes before the files in "a/".
    std::string SortKey;
    std::string Name;
    bool IsFolder = false;
};

// Closes a descriptor at the end of a scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    [[nodiscard]] int Get() const { return m_fd; }

private:
    int m_fd;
};

bool HasIndexSignature(int fd, std::string& reason)
{
    char start[kLongestSignature];
    std::size_t length = 0;
    while (length < sizeof start) {
        const ssize_t count = ::read(fd, start + length, sizeof start - length);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            reason = std::strerror(errno);
            return false;
        }
        if (count == 0)
            break;
        length += static_cast<std::size_t>(count);
    }
    const std::string_view bytes(start, length);
    return std::any_of(
        kIndexSignatures.begin(), kIndexSignatures.end(),
        [bytes](std::string_view signature) { return bytes.starts_with(signature); });
}

// The entries of the open folder `fd` that are folders or regular files, sorted; links,
// devices, pipes and sockets are left out. The descriptor is taken over.
bool ReadFolder(int fd, std::vector<FolderEntry>& entries, std::string& reason)
{
    DIR* folder = ::fdopendir(fd);
    if (!folder) {
        reason = std::strerror(errno);
        ::close(fd);
        return false;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat status {};
        if (::fstatat(::dirfd(folder), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            continue; // gone since it was listed
        const bool isFolder = S_ISDIR(status.st_mode);
        if (!isFolder && !S_ISREG(status.st_mode))
            continue;
        entries.push_back({std::string(name) + (isFolder ? "/" : ""), std::string(name), isFolder});
        errno = 0;
    }
    const int error = errno;
    ::closedir(folder);
    if (error != 0) {
        reason = std::strerror(error);
        return false;
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.SortKey < b.SortKey; });
    return true;
}

class Search {
public:
    Search(std::string folder, IndexFileSearchHost& host)
        : m_folder(std::move(folder)), m_host(host)
    {
        if (!m_folder.empty() && m_folder.back() != '/')
            m_folder += '/';
    }

    // Walks the open folder `fd` (taken over), whose path below the searched folder is
    // `relative` (empty or ending in "/").
    bool Walk(int fd, const std::string& relative, std::string& reason)
    {
        std::vector<FolderEntry> entries;
        if (!ReadFolder(fd, entries, reason))
            return false;
        for (const FolderEntry& entry : entries) {
            const std::string path = relative + entry.Name;
            if (entry.IsFolder)
                WalkFolder(path);
            else
                CheckFile(path);
        }
        return true;
    }

private:
    void WalkFolder(const std::string& relative)
    {
        const std::string full = m_folder + relative;
        const int fd = ::open(full.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        std::string reason;
        if (fd < 0)
            reason = std::strerror(errno);
        if (fd < 0 || !Walk(fd, relative + "/", reason))
            m_host.SearchProblem(relative, reason);
    }

    void CheckFile(const std::string& relative)
    {
        const std::string full = m_folder + relative;
        std::string reason;
        if (StartsWithIndexSignature(full, reason))
            m_host.IndexFileFound(full, relative);
        else if (!reason.empty())
            m_host.SearchProblem(relative, reason);
    }

    std::string m_folder;
    IndexFileSearchHost& m_host;
};

} // namespace

bool StartsWithIndexSignature(const std::string& path, std::string& reason)
{
    // Not following a link and not waiting on a pipe put there since the folder was listed.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        reason = std::strerror(errno);
        return false;
    }
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    return HasIndexSignature(file.Get(), reason);
}

bool FindIndexFiles(const std::string& folder, IndexFileSearchHost& host, std::string& reason)
{
    // The folder itself is taken as the user names it, a link to it included.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    return Search(folder, host).Walk(fd, "", reason);
}

} // namespace varnok
