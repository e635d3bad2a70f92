#pragma once

#include <string>
#include <vector>

namespace varnok {

// A desktop launcher or a file manager starts the program with a bare path: the folder or
// the index file the user chose. The window knows only "/cache:", so such a path is turned
// into the cache folder it stands for before the window looks at its arguments.

/** The cache folder a launched path stands for: an index file that the start-up read of some cache
 * folder reads gives that folder, any other file its own folder, a folder itself. */
[[nodiscard]] std::string CacheFolderOfLaunchedPath(const std::string& path);

/** `arguments` with the first argument that is no switch turned into "/cache:" and its cache
 * folder, unless a "/cache:" argument is already there. */
[[nodiscard]] std::vector<std::string>
WithLaunchedPathAsCacheFolder(std::vector<std::string> arguments);

} // namespace varnok
