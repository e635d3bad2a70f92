#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace varnok {

// Collects a writer's bytes and hands them to the stream in large blocks, so a cell costs
// an append to memory rather than a stream call. The stream's state is the error report.
class OutputBuffer {
public:
    explicit OutputBuffer(std::ostream& stream);

    void Append(std::string_view bytes)
    {
        m_buffer.append(bytes);
        if (m_buffer.size() >= kFlushSize)
            Flush();
    }
    void Append(char byte) { m_buffer.push_back(byte); }
    void AppendBlanks(std::ptrdiff_t count);
    /** CR LF, the line end of every file the grid writes. */
    void EndLine() { Append(std::string_view("\r\n")); }

    /** Hands everything over and flushes the stream; false when the stream failed at any point. */
    [[nodiscard]] bool Finish();

private:
    static constexpr std::size_t kFlushSize = 1 << 16;

    void Flush();

    std::ostream& m_stream;
    std::string m_buffer;
};

} // namespace varnok
