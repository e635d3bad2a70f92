#include "platform/replacingfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

namespace {

constexpr int maxNameAttempts = 100;
constexpr mode_t newFileMode = 0666; // narrowed by the umask, as for any new file
constexpr int keepUmaskMode = -1;

std::string folderOf(const std::string& path)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string randomSuffix()
{
    static std::mt19937 generator{std::random_device{}()};
    static constexpr char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof(digits) - 2);
    std::string suffix(8, ' ');
    for (char& c : suffix)
        c = digits[pick(generator)];
    return suffix;
}

bool syncFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

} // namespace

ReplacingFile::ReplacingFile(std::string targetPath) : m_targetPath(std::move(targetPath)) {}

ReplacingFile::~ReplacingFile()
{
    Discard();
}

bool ReplacingFile::Open()
{
    if (m_open || m_targetPath.empty())
        return false;
    struct stat targetStat {};
    if (::stat(m_targetPath.c_str(), &targetStat) == 0) {
        if (S_ISDIR(targetStat.st_mode) || ::access(m_targetPath.c_str(), W_OK) != 0)
            return false;
        if (!S_ISREG(targetStat.st_mode)) {
            m_stream.open(m_targetPath, std::ios::binary | std::ios::out);
            m_open = m_stream.is_open();
            return m_open;
        }
        // Through a symbolic link the file it names is replaced, not the link.
        std::error_code error;
        const std::filesystem::path resolved = std::filesystem::canonical(m_targetPath, error);
        if (!error)
            m_targetPath = resolved.string();
        return CreateTemporaryFile(static_cast<int>(targetStat.st_mode & 07777));
    }
    if (errno != ENOENT)
        return false;
    return CreateTemporaryFile(keepUmaskMode);
}

bool ReplacingFile::CreateTemporaryFile(int mode)
{
    const std::string folder = folderOf(m_targetPath);
    const std::string name = std::filesystem::path(m_targetPath).filename().string();
    for (int attempt = 0; attempt < maxNameAttempts; ++attempt) {
        std::string candidate = folder + "/." + name + "." + randomSuffix() + ".tmp";
        const int fd =
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, newFileMode);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        // A replaced file keeps its permissions; a new one gets the usual ones.
        const bool ready = mode == keepUmaskMode || ::fchmod(fd, static_cast<mode_t>(mode)) == 0;
        ::close(fd);
        m_tempPath = std::move(candidate);
        if (ready)
            m_stream.open(m_tempPath, std::ios::binary | std::ios::out | std::ios::trunc);
        if (!ready || !m_stream.is_open()) {
            Discard();
            return false;
        }
        m_open = true;
        return true;
    }
    return false;
}

bool ReplacingFile::Commit()
{
    if (!m_open)
        return false;
    m_stream.flush();
    m_stream.close();
    const bool written = !m_stream.fail();
    if (m_tempPath.empty()) { // a pipe or device written directly
        m_open = false;
        return written;
    }
    if (!written || !syncFile(m_tempPath) ||
        std::rename(m_tempPath.c_str(), m_targetPath.c_str()) != 0) {
        Discard();
        return false;
    }
    m_tempPath.clear();
    m_open = false;
    return true;
}

void ReplacingFile::Discard()
{
    if (m_stream.is_open())
        m_stream.close();
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
    m_open = false;
}
