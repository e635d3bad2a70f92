#include "grid/writers/outputbuffer.h"

namespace varnok {

OutputBuffer::OutputBuffer(std::ostream& stream) : m_stream(stream)
{
    m_buffer.reserve(kFlushSize + 4096);
}

void OutputBuffer::AppendBlanks(std::ptrdiff_t count)
{
    if (count > 0)
        m_buffer.append(static_cast<std::size_t>(count), ' ');
}

void OutputBuffer::Flush()
{
    if (!m_buffer.empty() && m_stream.good())
        m_stream.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    m_buffer.clear();
}

bool OutputBuffer::Finish()
{
    Flush();
    m_stream.flush();
    return !m_stream.fail();
}

} // namespace varnok
