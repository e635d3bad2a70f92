#include "grid/markup/markupentities.h"

#include <array>

#include "platform/asciicase.h"

namespace varnok {

namespace {

struct Entity {
    std::string_view Name; // in small letters, "&" to ";"
    std::string_view Text;
};

constexpr std::array<Entity, 12> kEntities = {{
    {"&amp;", "&&"},
    {"&quot;", "\""},
    {"&sect;", "\xA7"},
    {"&permil;", "\x89"},
    {"&reg;", "\xAE"},
    {"&copy;", "\xA9"},
    {"&para;", "\xB6"},
    {"&trade;", "\x99"},
    {"&euro;", "\x80"},
    {"&nbsp;", " "},
    {"&lt;", "<"},
    {"&gt;", ">"},
}};

} // namespace

void AppendRunText(std::string& out, std::string_view raw)
{
    std::size_t pos = 0;
    while (pos < raw.size()) {
        const std::size_t amp = raw.find('&', pos);
        if (amp == std::string_view::npos) {
            out.append(raw.substr(pos));
            return;
        }
        out.append(raw.substr(pos, amp - pos));
        const std::string_view rest = raw.substr(amp);
        pos = amp + 1;
        bool decoded = false;
        for (const Entity& entity : kEntities) {
            if (StartsWithIgnoringAsciiCase(rest, entity.Name)) {
                out.append(entity.Text);
                pos = amp + entity.Name.size();
                decoded = true;
                break;
            }
        }
        if (!decoded)
            out.push_back('&');
    }
}

} // namespace varnok
