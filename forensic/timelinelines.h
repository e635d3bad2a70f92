#pragma once

#include <string>
#include <string_view>

#include "forensic/recordtimes.h"

namespace varnok {

struct IndexRecordValue;

// One record made into lines of a timeline, given its kind of index and its times.
struct TimelineRecord {
    const IndexRecordValue& Record;
    IndexKind Kind;
    const RecordTimes& Times;
    // The index file it comes from, already escaped for the format.
    std::string_view EscapedSource;
};

/** Appends one JSON object per event of the record, each on a line of its own; a record
 * without a time gets one object at time 0 named "Not a time". */
void AppendJsonLines(std::string& out, const TimelineRecord& line, const RecordEvents& events);

/** Appends the record's line of a body file:
 * "0|SOURCE:ADDRESS|0|0|0|0|SIZE|ATIME|MTIME|CTIME|0". */
void AppendBodyLine(std::string& out, const TimelineRecord& line);

} // namespace varnok
