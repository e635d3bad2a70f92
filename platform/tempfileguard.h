#pragma once

#include <string>

namespace varnok {

// Keeps a named temporary file from outliving the process when it is stopped with SIGINT
// or SIGTERM (Ctrl+C in a terminal, `kill`, a session ending): while a guard lives, those
// signals first remove the file, then end the process as they would have. Guards may
// nest and overlap; a path too long to record is simply not guarded.
class TemporaryFileGuard {
public:
    explicit TemporaryFileGuard(const std::string& path);
    ~TemporaryFileGuard();
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

private:
    int m_slot = -1;
};

} // namespace varnok
