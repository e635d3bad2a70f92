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

    /** Writes go to `fd` from now on (-1: nowhere, every write fails). */
    void Attach(int fd);
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
    std::vector<char> m_buffer;
};

} // namespace varnok
