#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/displaycheck.h"

namespace varnok {

namespace {

// Whether the window may start, from the variables set and the arguments given.
TEST(DisplayCheck, WindowStartsOnlyWhereAWindowSystemCanBeReached)
{
    using Variables = std::map<std::string, std::string>;
    using Arguments = std::vector<std::string>;
    const struct {
        Variables Set;
        Arguments Args;
        bool Starts;
    } cases[] = {
        {{}, {}, false},
        {{{"DISPLAY", ":0"}}, {}, true},
        {{{"DISPLAY", ""}}, {}, false},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, {}, true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, {}, true},
        {{{"QT_QPA_PLATFORM", "xcb"}, {"WAYLAND_DISPLAY", "wayland-0"}}, {}, false},
        {{{"QT_QPA_PLATFORM", "wayland;xcb:nograb"}, {"DISPLAY", ":1"}}, {}, true},
        {{{"DISPLAY", ":0"}}, {"-platform", "wayland"}, false},
        {{}, {"/cache:x", "-platform", "offscreen"}, true},
    };
    for (const auto& c : cases) {
        const auto lookup = [&c](const std::string& name) -> std::optional<std::string> {
            const auto found = c.Set.find(name);
            return found == c.Set.end() ? std::nullopt : std::optional<std::string>(found->second);
        };
        const std::optional<std::string> message = NoDisplayMessage(c.Args, lookup);
        EXPECT_EQ(message ? *message : "", c.Starts ? "" : WindowNeedsDisplayText())
            << (c.Set.empty() ? "" : c.Set.begin()->first + "=" + c.Set.begin()->second);
    }
}

} // namespace

} // namespace varnok
