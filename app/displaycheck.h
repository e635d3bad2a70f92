#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace varnok {

// Whether the window can come up at all. Without a display the toolkit gives up by
// aborting the process; the program looks first and explains instead.

/** Looks up an environment variable: its value, or nothing when it is not set. */
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

/** The message for a window that has no graphical session to open on, or nothing when one can be
 * reached (or the toolkit is told to run without one, as with "offscreen"). `arguments` are those
 * after the program's path, where a "-platform NAME" picks the window system as QT_QPA_PLATFORM
 * does. */
[[nodiscard]] std::optional<std::string> NoDisplayMessage(const std::vector<std::string>& arguments,
                                                          const EnvironmentLookup& environment);

/** What the program says on standard error when its window cannot open. */
[[nodiscard]] std::string WindowNeedsDisplayText();

} // namespace varnok
