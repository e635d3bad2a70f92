#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/bytesource.h"

namespace varnok {

// A file opened for reading only and read through one large window, so a reader that
// looks at many small fields costs one system call per window rather than one per field.
// The file is never mapped: a file that another program truncates while it is mapped
// kills the reading process, while a plain read just returns fewer bytes.
// Bytes at or past the end of the file are absent: views simply come back shorter.
class ReadOnlyFile final : public ByteSource {
public:
    static constexpr std::size_t kWindowSize = 256 * 1024;

    ReadOnlyFile() = default;
    ~ReadOnlyFile() override;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    /** Opens a regular file read-only (other programs may go on reading and writing it). False when
     * it cannot be opened or is not a regular file; the object then reads as an empty file and
     * OpenError() says why. */
    [[nodiscard]] bool Open(const std::string& path);
    /** As Open, but a symbolic link at `path` itself is refused, not followed: a file found by a
     * walk that follows no links must not be swapped for a link between the walk and the read. */
    [[nodiscard]] bool OpenWithoutFollowing(const std::string& path);
    /** Why the last Open() failed ("Permission denied", "a named pipe, not a file"); empty after
     * success. */
    [[nodiscard]] const std::string& OpenError() const { return m_openError; }
    void Close();

    /** Size of the file when it was opened. */
    [[nodiscard]] std::int64_t Size() const { return m_size; }

    /** The position from which bytes are absent: the size, or where the file turned out to end when
     * another program shortened it. */
    [[nodiscard]] std::int64_t End() const override { return m_end; }

    /** Up to `count` bytes from `offset` (count at most kWindowSize), contiguous; shorter only
     * where the file ends. Valid until the next call. Throws FileReadError. */
    [[nodiscard]] std::span<const std::uint8_t> View(std::int64_t offset,
                                                     std::size_t count) override;

private:
    bool open(const std::string& path, int extraFlags);
    void fillWindow(std::int64_t offset);

    int m_fd = -1;
    std::string m_openError;
    std::int64_t m_size = 0;
    std::int64_t m_end = 0;
    std::vector<std::uint8_t> m_window;
    std::int64_t m_windowStart = 0;
    std::size_t m_windowLength = 0;
};

} // namespace varnok
