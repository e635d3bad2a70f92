#pragma once

#include <optional>
#include <string>

namespace varnok {

// The user guide is one HTML page that travels with the program: the build puts it beside
// the executable, an installed tree keeps it in the program's documentation folder.

/** The guide's file name, the same in the build folder and in an installed tree. */
inline constexpr const char* kUserGuideFileName = "varnok5-guide.html";

/** The guide of a program in `programFolder`: beside it, else in the installed documentation folder
 * relative to it; nothing when neither holds it. */
[[nodiscard]] std::optional<std::string> FindUserGuide(const std::string& programFolder);

/** The folder of the running executable, links resolved; empty when the system cannot tell. */
[[nodiscard]] std::string RunningProgramFolder();

} // namespace varnok
