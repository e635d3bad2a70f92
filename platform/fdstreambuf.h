#pragma once

#include <streambuf>
#include <vector>

namespace varnok {

// A stream buffer that writes to a file descriptor it does not own, so a file can be
// written through a std::ostream and still be synced, linked or renamed by descriptor.
// A failed write makes every later output fail; the stream then reports it.
class FdStreamBuf final : public std::streambuf {
public:
    FdStreamBuf();

    /** Writes go to `fd` from now on (-1: nowhere, every write fails). With `writeBehind`,
     * for a file that is to be flushed to disk when complete, the disk starts taking each
     * few megabytes as soon as they are written. */
    void Attach(int fd, bool writeBehind = false);
    /** False once any write has failed. */
    [[nodiscard]] bool Good() const { return m_good; }
    /** The errno of the write that failed, or 0 while none has. */
    [[nodiscard]] int Error() const { return m_error; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize count) override;
    int sync() override;

private:
    bool WriteAll(const char* data, std::size_t count);
    bool FlushBuffer();

    int m_fd = -1;
    bool m_good = true;
    int m_error = 0;
    bool m_writeBehind = false;
    std::size_t m_written = 0;      // bytes written since Attach()
    std::size_t m_flushStarted = 0; // of those, the ones the disk has been asked to take
    std::vector<char> m_buffer;
};

} // namespace varnok
