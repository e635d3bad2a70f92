#include "platform/profilelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace varnok {

namespace {

// Each retry means another copy of the program has just replaced the file; it cannot
// go on for long, but nothing should wait forever either.
constexpr int kMaxAttempts = 1000;

bool lockExclusive(int fd)
{
    for (;;) {
        if (::flock(fd, LOCK_EX) == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

// Whether `path` still names the file that was opened, rather than one renamed over it.
bool stillNamedBy(const std::string& path, const struct stat& opened)
{
    struct stat named {};
    return ::stat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
           named.st_ino == opened.st_ino;
}

} // namespace

ProfileLock::ProfileLock(const std::string& path)
{
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        // Non-blocking, so that a pipe in the file's place cannot stall the open.
        const int fd =
            ::open(path.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd < 0)
            return;
        struct stat opened {};
        const bool regular = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode);
        if (!regular || !lockExclusive(fd)) {
            ::close(fd);
            return;
        }
        if (stillNamedBy(path, opened)) {
            m_fd = fd;
            return;
        }
        ::close(fd);
    }
}

ProfileLock::~ProfileLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace varnok
