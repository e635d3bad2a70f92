#include "forensic/timelinesink.h"

#include "cacheindex/indexrecordvalue.h"
#include "forensic/textescape.h"
#include "forensic/timelinelines.h"

namespace varnok {

namespace {

// Lines are gathered up to this size and then written in one go.
constexpr std::size_t kBufferLength = 64 * 1024;

} // namespace

TimelineSink::TimelineSink(TimelineFormat format, std::ostream& out) : m_format(format), m_out(out)
{
    m_buffer.reserve(2 * kBufferLength);
}

void TimelineSink::SetSource(const std::string& source)
{
    m_escapedSource.clear();
    if (m_format == TimelineFormat::JsonLines)
        AppendJsonString(m_escapedSource, source);
    else
        AppendBodyText(m_escapedSource, source);
}

void TimelineSink::Record(const IndexRecordValue& record)
{
    const IndexKind kind = IndexKindOfAddress(record.Address);
    const RecordTimes times = TimesOf(record, kind);
    const RecordEvents events = EventsOf(times, kind);
    const TimelineRecord line{record, kind, times, m_escapedSource};
    ++m_records;
    m_events += static_cast<std::int64_t>(events.Count);
    if (m_format == TimelineFormat::JsonLines) {
        if (!m_jsonLines)
            m_jsonLines = std::make_unique<JsonLinePipeline>(m_out);
        AppendJsonFieldsBeforeHeaders(m_jsonLines->Fields(), line);
        m_jsonLines->AddHeaders(record.Headers);
        AppendJsonFieldsAfterHeaders(m_jsonLines->Fields(), line);
        m_jsonLines->EndRecord(events);
        return;
    }
    AppendBodyLine(m_buffer, line);
    if (m_buffer.size() >= kBufferLength)
        static_cast<void>(Flush());
}

void TimelineSink::EndRecords()
{
    static_cast<void>(Flush());
}

bool TimelineSink::Flush()
{
    if (m_jsonLines)
        m_jsonLines->Finish();
    if (!m_buffer.empty()) {
        m_out.write(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
        m_buffer.clear();
    }
    return static_cast<bool>(m_out.flush());
}

} // namespace varnok
