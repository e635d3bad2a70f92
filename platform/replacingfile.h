#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "platform/fdstreambuf.h"

namespace varnok {

class TemporaryFileGuard;

// An output file that takes the place of its target only once it is complete. The bytes
// go to an unnamed file in the target's folder, which Commit() flushes to disk, names and
// renames over the target, then flushes the folder so that the rename lasts too; a target
// reached through symbolic links is the file they lead to, and the links stay; if writing fails or
// Commit() is never reached, nothing of it stays behind, even when the process is killed. Where the
// file system cannot make unnamed files, a hidden named one is used instead, removed on failure and
// on SIGINT or SIGTERM. A target that exists but is not a regular file (a pipe, a terminal,
// /dev/stdout) is written directly, since it cannot be replaced.
class ReplacingFile {
public:
    // Unnamed: an unnamed file where the file system allows it, else a named one.
    // Named: always a named temporary file.
    enum class TemporaryKind { Unnamed, Named };

    explicit ReplacingFile(std::string targetPath, TemporaryKind kind = TemporaryKind::Unnamed);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    /** Creates the temporary file; false when the target may not be written or its folder takes no
     * new file. */
    [[nodiscard]] bool Open();
    /** Where the contents go, after a successful Open(). */
    [[nodiscard]] std::ostream& Stream() { return m_stream; }
    /** Flushes the contents to disk and puts them in the target's place; false (target untouched)
     * on any failure. */
    [[nodiscard]] bool Commit();
    /** Why Open(), writing or Commit() failed, in the system's words; empty while nothing has. */
    [[nodiscard]] std::string ErrorString() const;

private:
    // mode: permissions to give the new file, or -1 for those of any newly created file.
    [[nodiscard]] bool FollowLinks();
    [[nodiscard]] bool CreateTemporaryFile(int mode);
    [[nodiscard]] bool CreateUnnamedFile(const std::string& folder, int mode);
    [[nodiscard]] bool CreateNamedFile(const std::string& folder, int mode);
    [[nodiscard]] bool NameUnnamedFile();
    [[nodiscard]] bool Attach(int fd, int mode);
    void Discard();
    // Records the errno of a failure (the first one: what follows it is only a consequence).
    [[nodiscard]] bool Fail(int error);

    std::string m_targetPath;
    TemporaryKind m_kind;
    std::string m_tempPath; // the temporary file's name once it has one
    std::unique_ptr<TemporaryFileGuard> m_guard;
    int m_fd = -1;
    bool m_unnamed = false;
    bool m_direct = false;
    int m_error = 0;
    FdStreamBuf m_buffer;
    std::ostream m_stream{&m_buffer};
};

} // namespace varnok
