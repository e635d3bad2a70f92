#pragma once

#include <string_view>

namespace varnok {

// The kind of index a record belongs to, told by its address the way forensic tools tell
// it: "Cookie:" entries of a cookie index, "Visited:" entries of the history, and the
// ":YYYYMMDDYYYYMMDD: " entries of a daily or weekly history, whose two dates are one day
// or a week apart. Every other address is a cached page.
enum class IndexKind { Cache, Cookie, History, HistoryDaily, HistoryWeekly };

[[nodiscard]] IndexKind IndexKindOfAddress(std::string_view address);

/** "cache", "cookie", "history", "history-daily" or "history-weekly". */
[[nodiscard]] std::string_view IndexKindName(IndexKind kind);

} // namespace varnok
