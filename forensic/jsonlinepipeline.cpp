#include "forensic/jsonlinepipeline.h"

#include <string_view>
#include <system_error>
#include <utility>

#include "forensic/textescape.h"
#include "forensic/timelinelines.h"

namespace varnok {

namespace {

// A chunk is handed over once its fields and headers reach this size: large enough that handing
// over costs nothing next to the lines, small enough to stay in the processor's cache.
constexpr std::size_t kChunkText = 256 * 1024;
// Chunks handed over and not yet written, at most: the caller waits beyond it, so memory
// stays the same however fast it reads.
constexpr std::size_t kMostHandedOver = 2;
// Lines go to the stream in pieces of about this size.
constexpr std::size_t kLinesPiece = 64 * 1024;

} // namespace

JsonLinePipeline::JsonLinePipeline(std::ostream& out) : m_out(out)
{
    try {
        m_thread = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        // No thread to be had: the caller writes the lines as it hands them over.
    }
}

JsonLinePipeline::~JsonLinePipeline()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_handedOver.clear();
    }
    m_changed.notify_all();
    m_thread.join();
}

void JsonLinePipeline::AddHeaders(std::string_view bytes)
{
    m_headersAt = m_filling.Fields.size();
    m_filling.Headers += bytes;
}

void JsonLinePipeline::EndRecord(const RecordEvents& events)
{
    const std::size_t fieldsEnd = m_filling.Fields.size();
    m_filling.Records.push_back({m_headersAt, fieldsEnd, m_filling.Headers.size(), events});
    if (fieldsEnd + m_filling.Headers.size() >= kChunkText)
        HandOver();
}

void JsonLinePipeline::Finish()
{
    if (!m_filling.Records.empty())
        HandOver();
    if (!m_thread.joinable())
        return;
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return (m_handedOver.empty() && !m_writing) || m_failure; });
    lock.unlock();
    RethrowFailure();
}

void JsonLinePipeline::HandOver()
{
    if (!m_thread.joinable()) {
        Write(m_filling, m_fields, m_lines);
        m_filling.Clear();
        return;
    }
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_handedOver.size() < kMostHandedOver || m_failure; });
    if (m_failure) {
        lock.unlock();
        RethrowFailure();
    }
    m_handedOver.push_back(std::move(m_filling));
    m_filling = Chunk{};
    if (!m_spare.empty()) {
        m_filling = std::move(m_spare.back());
        m_spare.pop_back();
    }
    lock.unlock();
    m_changed.notify_all();
}

void JsonLinePipeline::Run()
{
    std::string fields;
    std::string lines;
    std::unique_lock lock(m_mutex);
    while (true) {
        m_changed.wait(lock, [this] { return !m_handedOver.empty() || m_stopping; });
        if (m_stopping)
            return;
        Chunk chunk = std::move(m_handedOver.front());
        m_handedOver.pop_front();
        m_writing = true;
        lock.unlock();
        m_changed.notify_all();
        std::exception_ptr failure;
        try {
            Write(chunk, fields, lines);
        } catch (...) {
            failure = std::current_exception();
        }
        chunk.Clear();
        lock.lock();
        m_writing = false;
        m_spare.push_back(std::move(chunk));
        if (failure) {
            m_failure = failure;
            m_handedOver.clear();
        }
        m_changed.notify_all();
        if (failure)
            return;
    }
}

void JsonLinePipeline::Write(const Chunk& chunk, std::string& fields, std::string& lines)
{
    const std::string_view allFields = chunk.Fields;
    const std::string_view allHeaders = chunk.Headers;
    std::size_t fieldsStart = 0;
    std::size_t headersStart = 0;
    for (const PendingRecord& record : chunk.Records) {
        fields.assign(allFields.substr(fieldsStart, record.HeadersAt - fieldsStart));
        AppendJsonText(fields, allHeaders.substr(headersStart, record.HeadersEnd - headersStart));
        fields += allFields.substr(record.HeadersAt, record.FieldsEnd - record.HeadersAt);
        AppendJsonEventLines(lines, fields, record.Events);
        fieldsStart = record.FieldsEnd;
        headersStart = record.HeadersEnd;
        if (lines.size() >= kLinesPiece) {
            m_out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
            lines.clear();
        }
    }
    m_out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
    lines.clear();
}

void JsonLinePipeline::Chunk::Clear()
{
    Fields.clear();
    Headers.clear();
    Records.clear();
}

void JsonLinePipeline::RethrowFailure()
{
    const std::lock_guard lock(m_mutex);
    if (m_failure)
        std::rethrow_exception(m_failure);
}

} // namespace varnok
