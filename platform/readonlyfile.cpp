#include "platform/readonlyfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnok {

namespace {

int openForReading(const std::string& path, int extraFlags)
{
    // O_NONBLOCK keeps a named pipe from stalling the open; such a thing is refused below.
    const int flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | extraFlags;
    // Reading evidence should not even touch its access time; the flag is only allowed
    // for the file's owner, so fall back to a plain open.
    int fd = ::open(path.c_str(), flags | O_NOATIME);
    if (fd < 0 && errno == EPERM)
        fd = ::open(path.c_str(), flags);
    return fd;
}

// What a path that is no regular file names instead, for messages.
std::string notAFileReason(mode_t mode)
{
    const char* kind = "a special file";
    if (S_ISDIR(mode))
        kind = "a folder";
    else if (S_ISFIFO(mode))
        kind = "a named pipe";
    else if (S_ISSOCK(mode))
        kind = "a socket";
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        kind = "a device";
    return std::string(kind) + ", not a file";
}

} // namespace

ReadOnlyFile::~ReadOnlyFile()
{
    Close();
}

bool ReadOnlyFile::Open(const std::string& path)
{
    return open(path, 0);
}

bool ReadOnlyFile::OpenWithoutFollowing(const std::string& path)
{
    return open(path, O_NOFOLLOW);
}

bool ReadOnlyFile::open(const std::string& path, int extraFlags)
{
    Close();
    m_openError = std::strerror(ENOENT);
    if (path.empty())
        return false;
    const int fd = openForReading(path, extraFlags);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP && (extraFlags & O_NOFOLLOW) != 0) {
            m_openError = "a symbolic link, not followed";
            return false;
        }
        // A socket refuses the open with a code that reads like a missing device.
        struct stat info {};
        const bool special = ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
        m_openError = special ? notAFileReason(info.st_mode) : std::strerror(error);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        m_openError = notAFileReason(info.st_mode);
        ::close(fd);
        return false;
    }
    m_openError.clear();
    m_fd = fd;
    m_size = static_cast<std::int64_t>(info.st_size);
    m_end = m_size;
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return true;
}

void ReadOnlyFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_size = 0;
    m_end = 0;
    // The window is sized for the file it reads; the next file gets one of its own size.
    m_window.clear();
    m_windowStart = 0;
    m_windowLength = 0;
}

std::span<const std::uint8_t> ReadOnlyFile::View(std::int64_t offset, std::size_t count)
{
    if (offset < 0 || offset >= m_end || count == 0)
        return {};
    const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(
        static_cast<std::int64_t>(std::min(count, kWindowSize)), m_end - offset));
    const std::int64_t windowEnd = m_windowStart + static_cast<std::int64_t>(m_windowLength);
    if (offset < m_windowStart || offset + static_cast<std::int64_t>(wanted) > windowEnd) {
        fillWindow(offset);
    }
    const auto skip = static_cast<std::size_t>(offset - m_windowStart);
    const std::size_t available = std::min(wanted, m_windowLength - std::min(skip, m_windowLength));
    return {m_window.data() + skip, available};
}

void ReadOnlyFile::fillWindow(std::int64_t offset)
{
    if (m_window.empty())
        m_window.resize(static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(kWindowSize), m_end)));
    const auto toRead = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(m_window.size()), m_end - offset));
    std::size_t got = 0;
    while (got < toRead) {
        const ssize_t n = ::pread(m_fd, m_window.data() + got, toRead - got,
                                  static_cast<off_t>(offset + static_cast<std::int64_t>(got)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            m_windowLength = 0;
            throw FileReadError(std::string("read failed: ") + std::strerror(error));
        }
        if (n == 0) {
            // Another program has shortened the file since it was opened.
            m_end = offset + static_cast<std::int64_t>(got);
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    m_windowStart = offset;
    m_windowLength = got;
}

} // namespace varnok
