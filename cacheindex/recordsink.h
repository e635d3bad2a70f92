#pragma once

#include "cacheindex/indexrecordvalue.h"

namespace varnok {

// Receives the records of one walk, in file order.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    /** The walk starts; the file leaves room for at most `mostRecords` records (capped). */
    virtual void BeginRecords(int /*mostRecords*/) {}
    /** One record; its views last for this call only. */
    virtual void Record(const IndexRecordValue& record) = 0;
    /** The walk is over, completely or after a stretch that could not be read. */
    virtual void EndRecords() {}
};

} // namespace varnok
