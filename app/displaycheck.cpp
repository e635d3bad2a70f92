#include "app/displaycheck.h"

#include <algorithm>
#include <string_view>

namespace varnok {

namespace {

bool IsSet(const EnvironmentLookup& environment, const char* name)
{
    const std::optional<std::string> value = environment(name);
    return value && !value->empty();
}

// The window system the toolkit will try: "-platform NAME" on the command line wins over
// QT_QPA_PLATFORM; empty means the toolkit's own choice.
std::string RequestedPlatform(const std::vector<std::string>& arguments,
                              const EnvironmentLookup& environment)
{
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == "-platform" || arguments[i] == "--platform")
            return arguments[i + 1];
    }
    return environment("QT_QPA_PLATFORM").value_or("");
}

// One entry of a platform list ("wayland;xcb"), without its options ("xcb:option").
bool CanReach(std::string_view platform, const EnvironmentLookup& environment)
{
    platform = platform.substr(0, platform.find(':'));
    if (platform == "xcb")
        return IsSet(environment, "DISPLAY");
    if (platform.substr(0, 7) == "wayland")
        return IsSet(environment, "WAYLAND_DISPLAY");
    // offscreen, minimal, vnc, eglfs, linuxfb ...: these need no session to start.
    return !platform.empty();
}

} // namespace

std::optional<std::string> NoDisplayMessage(const std::vector<std::string>& arguments,
                                            const EnvironmentLookup& environment)
{
    const std::string platforms = RequestedPlatform(arguments, environment);
    bool reachable = false;
    if (platforms.empty()) {
        reachable = IsSet(environment, "DISPLAY") || IsSet(environment, "WAYLAND_DISPLAY");
    } else {
        std::string_view rest = platforms;
        while (!reachable && !rest.empty()) {
            const std::size_t end = std::min(rest.find(';'), rest.size());
            reachable = CanReach(rest.substr(0, end), environment);
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
    }
    if (reachable)
        return std::nullopt;
    return WindowNeedsDisplayText();
}

std::string WindowNeedsDisplayText()
{
    return "varnok5: the window needs a graphical session, and none was found (DISPLAY and\n"
           "WAYLAND_DISPLAY are not set, or the display cannot be reached).\n"
           "Without one, /stext, /scsv, /shtml and /spdf export the list, for example:\n"
           "  varnok5 /cache:FOLDER /scsv list.csv\n"
           "varnok5 --help tells more.\n";
}

} // namespace varnok
