#pragma once

#include <string>

namespace varnok {

// The fixed texts of the welcome and About boxes, as Windows-1252 bytes.

/** The welcome message shown at start-up, its lines joined by "\n". */
[[nodiscard]] std::string WelcomeText();

/** The About box: product line and version. */
[[nodiscard]] std::string AboutText();

} // namespace varnok
