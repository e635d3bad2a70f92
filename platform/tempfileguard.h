#pragma once

#include <string>

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

    /** Whether the path was recorded (false only when it is too long or too many files are
     * guarded). */
    [[nodiscard]] bool Guarded() const { return m_slot >= 0; }

private:
    int m_slot = -1;
};
