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

/** Append what every JSON line of the record holds (all of it but the time) in three
 * parts: the fields before the value of its headers, from the opening brace on; the
 * headers as AppendJsonText writes them; the fields after them. Escaping the headers is
 * most of the work of a record; this way it can be done elsewhere. */
void AppendJsonFieldsBeforeHeaders(std::string& out, const TimelineRecord& line);
void AppendJsonFieldsAfterHeaders(std::string& out, const TimelineRecord& line);

/** Appends one JSON line per event: `fields` (the three parts above, held outside `out`)
 * and the event's time; a record without a time gets one line at time 0 named "Not a
 * time". */
void AppendJsonEventLines(std::string& out, std::string_view fields, const RecordEvents& events);

/** Appends the record's line of a body file:
 * "0|SOURCE:ADDRESS|0|0|0|0|SIZE|ATIME|MTIME|CTIME|0". */
void AppendBodyLine(std::string& out, const TimelineRecord& line);

} // namespace varnok
