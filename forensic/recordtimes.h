#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "forensic/indexkind.h"

namespace varnok {

struct IndexRecordValue;

// The times of a record as a timeline lists them: microseconds since 1970, named by what
// they mean in the record's kind of index.
struct RecordEvent {
    std::int64_t Microseconds = 0;
    std::string_view Description;
    // The index keeps this time in the local time of the computer that wrote it; it is
    // listed as it stands.
    bool LocalTime = false;
};

struct RecordEvents {
    std::array<RecordEvent, 4> Items{};
    std::size_t Count = 0;
};

// The times each record field stands for in a timeline; the two file times change their
// meaning with the kind of index. A weekly history keeps the visit at offset 8 and when
// its entry was made at offset 16; every other index the visit (or access) at 16.
struct RecordTimes {
    std::optional<std::int64_t> Modified; // offset 8, or a weekly history's creation (16)
    std::optional<std::int64_t> Visited;  // offset 16: access or visit (a weekly history: 8)
    std::optional<std::int64_t> Expiry;
    std::optional<std::int64_t> Checked;
};

/** A file time (100-nanosecond steps since 1601) in microseconds since 1970; nothing for 0,
 * which marks a time that was never set. */
[[nodiscard]] std::optional<std::int64_t> MicrosecondsFromFileTime(std::uint64_t fileTime);

/** A DOS date (low half) and time (high half) in microseconds since 1970, read as they
 * stand; nothing for 0 or for a value that names no moment (month 13, minute 61). */
[[nodiscard]] std::optional<std::int64_t> MicrosecondsFromDosTime(std::uint32_t dosTime);

// The longest text PutIsoTime() writes: 32 characters, with room for a year of up to 7
// characters, the most an int64 count of microseconds reaches ("-290308").
inline constexpr std::size_t kIsoTimeMaxLength = 36;

/** Writes "YYYY-MM-DDTHH:MM:SS.ffffff+00:00" at `at` (up to kIsoTimeMaxLength characters);
 * returns the end of what it wrote. */
char* PutIsoTime(char* at, std::int64_t microseconds);

/** Writes the count of microseconds in decimal at `at` (up to 20 characters); returns the
 * end of what it wrote. */
char* PutTimestamp(char* at, std::int64_t microseconds);

/** Whole seconds since 1970, rounded down. */
[[nodiscard]] std::int64_t SecondsFloor(std::int64_t microseconds);

[[nodiscard]] RecordTimes TimesOf(const IndexRecordValue& record, IndexKind kind);

/** The set times of a record: modification (or creation), visit, expiry, last check. */
[[nodiscard]] RecordEvents EventsOf(const RecordTimes& times, IndexKind kind);

} // namespace varnok
