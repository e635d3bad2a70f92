#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace varnok {

// What a one-line text run shows: tabs expanded to the next multiple of eight characters
// of the run and, with prefix processing, "&&" as one "&" and every other "&" dropped,
// the character after it underlined.
struct ShownRun {
    std::string Text;
    std::vector<std::size_t> Underlined; // positions in Text
};

/** `line` with each tab expanded to the next multiple of eight characters. */
[[nodiscard]] std::string ExpandTabs(std::string_view line);

/** True when `text` shows exactly as it is written (nothing to expand or process). */
[[nodiscard]] bool ShowsAsWritten(std::string_view text, bool prefix);

/** The characters `text` shows as a run, and which of them are underlined. */
[[nodiscard]] ShownRun ShowRunText(std::string_view text, bool prefix);

} // namespace varnok
