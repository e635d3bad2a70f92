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
    /** Whether the sink reads more of a record than its kind, signature, offset, block count,
     * latest visit, address and bytes. A list of addresses does not, and the walk then leaves
     * the other fields unread (absent): reading them for every record would slow every read
     * of the list. */
    [[nodiscard]] virtual bool WantsEveryField() const { return true; }
    /** Whether the walk hands on "LEAK" records too. Finding them changes nothing else: the
     * walk steps on by one block behind a "LEAK" record, so it finds the same "URL " and
     * "REDR" records either way. */
    [[nodiscard]] virtual bool WantsLeakRecords() const { return false; }
};

} // namespace varnok
