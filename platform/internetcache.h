#pragma once

#include <optional>
#include <string>

namespace varnok {

/** Where a Linux desktop keeps an Internet Explorer cache: the one Wine's URL cache writes in a
 * Wine prefix ($WINEPREFIX, else ~/.wine). The first of the two usual folders that exists is the
 * result; nothing when neither does. */
[[nodiscard]] std::optional<std::string> FindInternetCacheFolder();

} // namespace varnok
