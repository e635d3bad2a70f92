#include "platform/replacingfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <system_error>

#include "platform/tempfileguard.h"

namespace varnok {

namespace {

constexpr int maxNameAttempts = 100;
constexpr mode_t newFileMode = 0666; // narrowed by the umask, as for any new file
constexpr int keepUmaskMode = -1;
constexpr std::size_t suffixLength = 8;
constexpr long usualNameMax = 255;

std::string folderOf(const std::string& path)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// The file a write to `path` lands on: symbolic links followed to the name they lead to,
// also where that name does not exist yet. Nothing for a chain of links that never ends.
std::optional<std::string> followLinks(const std::string& path)
{
    constexpr int mostLinks = 40; // as the system follows them
    std::filesystem::path current = path;
    for (int hop = 0; hop <= mostLinks; ++hop) {
        struct stat linkStat {};
        if (::lstat(current.c_str(), &linkStat) != 0 || !S_ISLNK(linkStat.st_mode))
            return current.string();
        std::error_code error;
        const std::filesystem::path next = std::filesystem::read_symlink(current, error);
        if (error)
            return std::nullopt;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return std::nullopt;
}

// The rename becomes durable with the folder that holds the name; a failure here loses
// nothing that is not already on its way to the disk.
void flushFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string randomSuffix()
{
    static std::mt19937 generator{std::random_device{}()};
    static constexpr char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(digits) - 2);
    std::string suffix(suffixLength, ' ');
    for (char& c : suffix)
        c = digits[pick(generator)];
    return suffix;
}

// ".<name>.<random>.tmp" beside the target, with the name shortened so that the whole
// fits the folder's longest file name: a target whose own name is that long must work.
std::string temporaryNameFor(const std::string& folder, const std::string& name)
{
    long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (nameMax <= 0)
        nameMax = usualNameMax;
    const std::size_t decoration = std::string_view("..").size() + suffixLength + 4;
    const std::size_t room =
        static_cast<std::size_t>(nameMax) - std::min(decoration, static_cast<std::size_t>(nameMax));
    return folder + "/." + name.substr(0, room) + "." + randomSuffix() + ".tmp";
}

} // namespace

ReplacingFile::ReplacingFile(std::string targetPath, TemporaryKind kind)
    : m_targetPath(std::move(targetPath)), m_kind(kind)
{
}

ReplacingFile::~ReplacingFile()
{
    Discard();
}

bool ReplacingFile::Open()
{
    m_error = 0;
    if (m_fd >= 0)
        return Fail(EBUSY);
    if (m_targetPath.empty())
        return Fail(ENOENT);
    struct stat targetStat {};
    if (::stat(m_targetPath.c_str(), &targetStat) == 0) {
        if (S_ISDIR(targetStat.st_mode))
            return Fail(EISDIR);
        if (::access(m_targetPath.c_str(), W_OK) != 0)
            return Fail(errno);
        if (!S_ISREG(targetStat.st_mode)) {
            m_direct = true;
            return Attach(::open(m_targetPath.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC),
                          keepUmaskMode);
        }
        return FollowLinks() && CreateTemporaryFile(static_cast<int>(targetStat.st_mode & 07777));
    }
    if (errno != ENOENT)
        return Fail(errno);
    return FollowLinks() && CreateTemporaryFile(keepUmaskMode);
}

bool ReplacingFile::FollowLinks()
{
    // Through a symbolic link the file it names is written, not the link: the temporary
    // file goes beside that file, the rename replaces it (or creates it, for a link to a
    // name that does not exist yet) and the link stays.
    std::error_code error;
    const std::filesystem::path existing = std::filesystem::canonical(m_targetPath, error);
    const std::optional<std::string> resolved =
        error ? followLinks(m_targetPath) : std::optional<std::string>(existing.string());
    if (!resolved)
        return Fail(ELOOP);
    m_targetPath = *resolved;
    return true;
}

bool ReplacingFile::CreateTemporaryFile(int mode)
{
    const std::string folder = folderOf(m_targetPath);
    if (m_kind == TemporaryKind::Unnamed && CreateUnnamedFile(folder, mode))
        return true;
    m_error = 0; // a named file may work where an unnamed one did not
    return CreateNamedFile(folder, mode);
}

bool ReplacingFile::CreateUnnamedFile(const std::string& folder, int mode)
{
    // The unnamed file is given its name through /proc when complete; without /proc it
    // could never get one.
    if (::access("/proc/self/fd", X_OK) != 0)
        return false;
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, newFileMode);
    if (fd < 0)
        return false;
    m_unnamed = true;
    return Attach(fd, mode);
}

bool ReplacingFile::CreateNamedFile(const std::string& folder, int mode)
{
    const std::string name = std::filesystem::path(m_targetPath).filename().string();
    for (int attempt = 0; attempt < maxNameAttempts; ++attempt) {
        std::string candidate = temporaryNameFor(folder, name);
        // Guarded before it exists, so no moment passes in which a signal would leave it.
        auto guard = std::make_unique<TemporaryFileGuard>(candidate);
        const int fd =
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, newFileMode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return Fail(errno);
        }
        m_tempPath = std::move(candidate);
        m_guard = std::move(guard);
        return Attach(fd, mode);
    }
    return Fail(EEXIST);
}

bool ReplacingFile::Attach(int fd, int mode)
{
    if (fd < 0)
        return Fail(errno);
    m_fd = fd;
    // A file Commit() flushes to disk gets there in steps while it is written.
    m_buffer.Attach(fd, !m_direct);
    m_stream.clear();
    // A replaced file keeps its permissions; a new one gets the usual ones.
    if (mode != keepUmaskMode && ::fchmod(fd, static_cast<mode_t>(mode)) != 0) {
        const int error = errno;
        Discard();
        return Fail(error);
    }
    return true;
}

bool ReplacingFile::NameUnnamedFile()
{
    const std::string folder = folderOf(m_targetPath);
    const std::string name = std::filesystem::path(m_targetPath).filename().string();
    const std::string procPath = "/proc/self/fd/" + std::to_string(m_fd);
    for (int attempt = 0; attempt < maxNameAttempts; ++attempt) {
        std::string candidate = temporaryNameFor(folder, name);
        auto guard = std::make_unique<TemporaryFileGuard>(candidate);
        if (::linkat(AT_FDCWD, procPath.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) ==
            0) {
            m_tempPath = std::move(candidate);
            m_guard = std::move(guard);
            return true;
        }
        if (errno != EEXIST)
            return Fail(errno);
    }
    return Fail(EEXIST);
}

bool ReplacingFile::Commit()
{
    if (m_fd < 0)
        return Fail(EBADF);
    m_stream.flush();
    bool done = m_stream.good() && m_buffer.Good();
    if (!done)
        static_cast<void>(Fail(m_buffer.Error() != 0 ? m_buffer.Error() : EIO));
    if (m_direct) {
        if (::close(m_fd) != 0)
            done = Fail(errno);
        m_fd = -1;
        return done;
    }
    // Durable before it is named: a crash leaves either the old target or the complete new one.
    done = done && (::fsync(m_fd) == 0 || Fail(errno)) && (!m_unnamed || NameUnnamedFile()) &&
           (std::rename(m_tempPath.c_str(), m_targetPath.c_str()) == 0 || Fail(errno));
    if (!done) {
        Discard();
        return false;
    }
    m_tempPath.clear();
    m_guard.reset();
    // The contents are on disk already; closing cannot lose them.
    ::close(m_fd);
    m_fd = -1;
    flushFolder(folderOf(m_targetPath));
    return true;
}

bool ReplacingFile::Fail(int error)
{
    if (m_error == 0)
        m_error = error;
    return false;
}

std::string ReplacingFile::ErrorString() const
{
    const int error = m_error != 0 ? m_error : m_buffer.Error();
    return error != 0 ? std::generic_category().message(error) : std::string();
}

void ReplacingFile::Discard()
{
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
    m_guard.reset();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_buffer.Attach(-1);
}

} // namespace varnok
