#pragma once

#include <string>

namespace varnok {

// An exclusive advisory lock on the settings file for the span of one read-modify-write,
// so that two running copies of the program cannot lose each other's writes. The file
// itself carries the lock: a write replaces the file by renaming a new one over it, so a
// waiter that finds the name leading to a newer file by the time it gets the lock takes
// the lock again on that one.
class ProfileLock {
public:
    /** Waits for the lock on the regular file at `path`, creating it empty when missing. */
    explicit ProfileLock(const std::string& path);
    ~ProfileLock();
    ProfileLock(const ProfileLock&) = delete;
    ProfileLock& operator=(const ProfileLock&) = delete;

    /** False when the file could not be opened or created, or is no regular file. */
    [[nodiscard]] bool Locked() const { return m_fd >= 0; }
    /** The locked file, open for reading from its start. */
    [[nodiscard]] int Descriptor() const { return m_fd; }

private:
    int m_fd = -1;
};

} // namespace varnok
