#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

namespace varnok {

// Raised when the system reports a read error (a failing disk, a vanished network share).
// Reaching the end of the file is no error.
class FileReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Bytes of a file looked at a stretch at a time. Readers ask for short stretches (a block,
// a record) and get them contiguous; a stretch comes back shorter only where the bytes end.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    /** The position from which bytes are absent. */
    [[nodiscard]] virtual std::int64_t End() const = 0;

    /** Up to `count` bytes from `offset`; valid until the next call. Throws FileReadError on a read
     * error. */
    [[nodiscard]] virtual std::span<const std::uint8_t> View(std::int64_t offset,
                                                             std::size_t count) = 0;
};

} // namespace varnok
