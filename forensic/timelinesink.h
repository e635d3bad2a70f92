#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

#include "cacheindex/recordsink.h"
#include "forensic/jsonlinepipeline.h"

namespace varnok {

enum class TimelineFormat { JsonLines, BodyFile };

// Writes the records of one or more walks as a timeline while they are read: nothing of a
// record is kept once its lines are out, so memory stays the same for any number of
// records. JSON lines are finished on a second thread (see JsonLinePipeline). "LEAK"
// records are listed with the others.
class TimelineSink final : public RecordSink {
public:
    TimelineSink(TimelineFormat format, std::ostream& out);

    /** The index file the records that follow come from, as the output names it. */
    void SetSource(const std::string& source);

    void Record(const IndexRecordValue& record) override;
    void EndRecords() override;
    [[nodiscard]] bool WantsLeakRecords() const override { return true; }

    /** Writes out what is still buffered; false once any write has failed. Throws
     * std::bad_alloc when a line found no memory. */
    [[nodiscard]] bool Flush();

    [[nodiscard]] std::int64_t RecordCount() const { return m_records; }
    /** The times the records hold; a record without one adds none. */
    [[nodiscard]] std::int64_t EventCount() const { return m_events; }

private:
    TimelineFormat m_format;
    std::ostream& m_out;
    std::string m_escapedSource;
    std::string m_buffer;
    std::unique_ptr<JsonLinePipeline> m_jsonLines; // made with the first JSON record
    std::int64_t m_records = 0;
    std::int64_t m_events = 0;
};

} // namespace varnok
