#include "grid/safeanchor.h"

#include <algorithm>
#include <array>

#include "platform/asciicase.h"

namespace {

constexpr std::string_view anchorStart = "<A href=\"";
constexpr std::string_view anchorMiddle = "\">";
constexpr std::string_view anchorEnd = "</A>";

struct Entity {
    std::string_view Name;
    char Character;
};
constexpr std::array<Entity, 4> anchorEntities = {
    {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}}};

// X decoded, or nothing when X holds a raw "<", ">", double quote, or an "&" that is not
// one of the four entities.
std::optional<std::string> decodeEscaped(std::string_view escaped)
{
    std::string result;
    result.reserve(escaped.size());
    std::size_t pos = 0;
    while (pos < escaped.size()) {
        const char c = escaped[pos];
        if (c == '<' || c == '>' || c == '"')
            return std::nullopt;
        if (c != '&') {
            result.push_back(c);
            ++pos;
            continue;
        }
        bool known = false;
        for (const Entity& entity : anchorEntities) {
            if (escaped.substr(pos).starts_with(entity.Name)) {
                result.push_back(entity.Character);
                pos += entity.Name.size();
                known = true;
                break;
            }
        }
        if (!known)
            return std::nullopt;
    }
    return result;
}

void appendEscaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        const auto entity =
            std::find_if(anchorEntities.begin(), anchorEntities.end(),
                         [c](const Entity& candidate) { return candidate.Character == c; });
        if (entity == anchorEntities.end())
            out += c;
        else
            out += entity->Name;
    }
}

} // namespace

std::string AddressAnchor(std::string_view address)
{
    // The address stands twice, as target and as shown text.
    std::string cell;
    cell.reserve(2 * address.size() + anchorStart.size() + anchorMiddle.size() + anchorEnd.size());
    cell += anchorStart;
    appendEscaped(cell, address);
    cell += anchorMiddle;
    appendEscaped(cell, address);
    cell += anchorEnd;
    return cell;
}

std::optional<std::string> AddressAnchorTarget(std::string_view text)
{
    if (!text.starts_with(anchorStart) || !text.ends_with(anchorEnd))
        return std::nullopt;
    const std::string_view inner =
        text.substr(anchorStart.size(), text.size() - anchorStart.size() - anchorEnd.size());
    // "X">X with the same X twice; X holds no raw quote, so the first quote ends it.
    const std::size_t middle = inner.find(anchorMiddle);
    if (middle == std::string_view::npos)
        return std::nullopt;
    const std::string_view target = inner.substr(0, middle);
    if (inner.substr(middle + anchorMiddle.size()) != target)
        return std::nullopt;
    return decodeEscaped(target);
}

bool IsWebAddress(std::string_view address)
{
    return StartsWithIgnoringAsciiCase(address, "http:") ||
           StartsWithIgnoringAsciiCase(address, "https:") ||
           StartsWithIgnoringAsciiCase(address, "ftp:");
}
