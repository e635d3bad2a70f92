#include "forensic/timelinelines.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

#include "cacheindex/indexrecordvalue.h"
#include "forensic/textescape.h"

namespace varnok {

namespace {

template <typename Number> void AppendNumber(std::string& out, Number value)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, static_cast<std::size_t>(result.ptr - digits));
}

template <typename Number>
void AppendField(std::string& out, std::string_view name, const std::optional<Number>& value)
{
    out += name;
    if (value)
        AppendNumber(out, *value);
    else
        out += "null";
}

void AppendTextField(std::string& out, std::string_view name, std::string_view text)
{
    out += name;
    AppendJsonString(out, text);
}

// "URL ", "REDR", "LEAK" as a word: the blank that pads "URL " is no part of the type.
std::string_view RecordTypeOf(const IndexRecordValue& record)
{
    std::string_view type = record.Signature;
    while (!type.empty() && type.back() == ' ')
        type.remove_suffix(1);
    return type;
}

// Where a piece of text already written to the line lies in it.
struct WrittenText {
    std::size_t Start;
    std::size_t Length;
};

// "Location: ADDRESS", with the hits, the cached file and a deleted entry's mark; where the
// escaped address lies, so the address field copies it instead of escaping it again.
WrittenText AppendMessage(std::string& out, const IndexRecordValue& record)
{
    out += "{\"message\":\"Location: ";
    const std::size_t addressStart = out.size();
    AppendJsonText(out, record.Address);
    const WrittenText address{addressStart, out.size() - addressStart};
    if (record.Hits) {
        out += " Number of hits: ";
        AppendNumber(out, *record.Hits);
    }
    if (!record.CachedFileName.empty()) {
        out += " Cached file: ";
        if (!record.CacheFolderName.empty()) {
            AppendJsonText(out, record.CacheFolderName);
            out += "\\\\";
        }
        AppendJsonText(out, record.CachedFileName);
    }
    if (record.Recovered)
        out += " (recovered)";
    out += '"';
    return address;
}

// The end of an event's line: put together in place and appended in one piece, since a
// timeline has millions of them.
void AppendEventTime(std::string& out, const RecordEvent& event)
{
    constexpr std::string_view kDatetime = ",\"datetime\":\"";
    constexpr std::string_view kTimestamp = "\",\"timestamp\":";
    constexpr std::string_view kDescription = ",\"timestamp_desc\":\"";
    constexpr std::size_t kMostDigits = 20;
    char text[kDatetime.size() + kIsoTimeMaxLength + kTimestamp.size() + kMostDigits +
              kDescription.size()];
    char* end = std::copy(kDatetime.begin(), kDatetime.end(), text);
    end = PutIsoTime(end, event.Microseconds);
    end = std::copy(kTimestamp.begin(), kTimestamp.end(), end);
    end = PutTimestamp(end, event.Microseconds);
    end = std::copy(kDescription.begin(), kDescription.end(), end);
    out.append(text, static_cast<std::size_t>(end - text));
    out += event.Description;
    out += event.LocalTime ? "\",\"local_time\":true}\n" : "\"}\n";
}

void AppendSeconds(std::string& out, const std::optional<std::int64_t>& microseconds)
{
    out += '|';
    // Body files know no time before 1970: such a time is left out like a missing one.
    AppendNumber(out, microseconds && *microseconds > 0 ? SecondsFloor(*microseconds) : 0);
}

} // namespace

void AppendJsonFieldsBeforeHeaders(std::string& out, const TimelineRecord& line)
{
    const IndexRecordValue& record = line.Record;
    const WrittenText address = AppendMessage(out, record);
    AppendTextField(out, ",\"record_type\":", RecordTypeOf(record));
    out += ",\"offset\":";
    AppendNumber(out, record.Offset);
    out += ",\"url\":\"";
    out.append(out, address.Start, address.Length);
    out += '"';
    AppendTextField(out, ",\"cached_filename\":", record.CachedFileName);
    AppendField(out, ",\"cached_file_size\":", record.CachedFileSize);
    AppendTextField(out, ",\"cache_directory\":", record.CacheFolderName);
    AppendField(out, ",\"cache_directory_index\":", record.CacheFolderIndex);
    AppendField(out, ",\"number_of_hits\":", record.Hits);
    out += ",\"http_headers\":\"";
}

void AppendJsonFieldsAfterHeaders(std::string& out, const TimelineRecord& line)
{
    const IndexRecordValue& record = line.Record;
    out += '"';
    AppendTextField(out, ",\"user\":", record.User);
    out += record.Recovered ? ",\"recovered\":true" : ",\"recovered\":false";
    out += ",\"index_type\":\"";
    out += IndexKindName(line.Kind);
    out += "\",\"source\":";
    out += line.EscapedSource;
}

void AppendJsonEventLines(std::string& out, std::string_view fields, const RecordEvents& events)
{
    if (events.Count == 0) {
        out += fields;
        AppendEventTime(out, RecordEvent{0, "Not a time", false});
        return;
    }
    for (std::size_t index = 0; index < events.Count; ++index) {
        out += fields;
        AppendEventTime(out, events.Items[index]);
    }
}

void AppendBodyLine(std::string& out, const TimelineRecord& line)
{
    out += "0|";
    out += line.EscapedSource;
    out += ':';
    AppendBodyText(out, line.Record.Address);
    out += "|0|0|0|0|";
    AppendNumber(out, line.Record.CachedFileSize.value_or(0));
    AppendSeconds(out, line.Times.Visited);
    AppendSeconds(out, line.Times.Modified);
    AppendSeconds(out, line.Times.Checked);
    out += "|0\n";
}

} // namespace varnok
