#include "platform/fdstreambuf.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace varnok {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
constexpr std::size_t kWriteBehindStep = 4 * 1024 * 1024;

} // namespace

FdStreamBuf::FdStreamBuf() : m_buffer(kBufferSize)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

void FdStreamBuf::Attach(int fd, bool writeBehind)
{
    m_fd = fd;
    m_writeBehind = writeBehind;
    m_written = 0;
    m_flushStarted = 0;
    m_good = true;
    m_error = 0;
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

FdStreamBuf::int_type FdStreamBuf::overflow(int_type c)
{
    if (!FlushBuffer())
        return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

std::streamsize FdStreamBuf::xsputn(const char* data, std::streamsize count)
{
    const auto size = static_cast<std::size_t>(count);
    // Large pieces skip the buffer; small ones collect in it.
    if (size >= m_buffer.size()) {
        if (!FlushBuffer() || !WriteAll(data, size))
            return 0;
        return count;
    }
    if (size > static_cast<std::size_t>(epptr() - pptr()) && !FlushBuffer())
        return 0;
    traits_type::copy(pptr(), data, size);
    pbump(static_cast<int>(size));
    return count;
}

int FdStreamBuf::sync()
{
    return FlushBuffer() ? 0 : -1;
}

bool FdStreamBuf::FlushBuffer()
{
    const auto pending = static_cast<std::size_t>(pptr() - pbase());
    const bool written = WriteAll(pbase(), pending);
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return written;
}

bool FdStreamBuf::WriteAll(const char* data, std::size_t count)
{
    while (m_good && count > 0) {
        const ssize_t written = ::write(m_fd, data, count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            // A write of nothing sets no errno; it is still an output error.
            m_error = written < 0 ? errno : EIO;
            m_good = false;
            break;
        }
        data += written;
        count -= static_cast<std::size_t>(written);
        m_written += static_cast<std::size_t>(written);
    }
    if (m_good && m_writeBehind && m_written - m_flushStarted >= kWriteBehindStep) {
        // The disk takes what is written so far while the rest is still being made, so the
        // flush at the end waits only for the last stretch. Only a hint: where the file
        // system cannot, the final flush does it all.
        ::sync_file_range(m_fd, static_cast<off_t>(m_flushStarted),
                          static_cast<off_t>(m_written - m_flushStarted), SYNC_FILE_RANGE_WRITE);
        m_flushStarted = m_written;
    }
    return m_good;
}

} // namespace varnok
