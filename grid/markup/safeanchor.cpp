#include "grid/markup/safeanchor.h"

#include <algorithm>
#include <array>

#include "platform/asciicase.h"

namespace varnok {

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

// The four entities decoded. Strictly, a raw "<", ">", double quote, or an "&" that is
// not one of the four gives nothing; else such characters stay as they are.
std::optional<std::string> decodeEscaped(std::string_view escaped, bool strict)
{
    std::string result;
    result.reserve(escaped.size());
    std::size_t pos = 0;
    while (pos < escaped.size()) {
        const char c = escaped[pos];
        if (strict && (c == '<' || c == '>' || c == '"'))
            return std::nullopt;
        if (c != '&') {
            result.push_back(c);
            ++pos;
            continue;
        }
        const auto entity = std::find_if(
            anchorEntities.begin(), anchorEntities.end(),
            [rest = escaped.substr(pos)](const Entity& e) { return rest.starts_with(e.Name); });
        if (entity == anchorEntities.end()) {
            if (strict)
                return std::nullopt;
            result.push_back(c);
            ++pos;
            continue;
        }
        result.push_back(entity->Character);
        pos += entity->Name.size();
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

bool isControlByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

void appendPercentEncoded(std::string& out, char c)
{
    constexpr std::string_view hexDigits = "0123456789ABCDEF";
    const auto byte = static_cast<unsigned char>(c);
    out += '%';
    out += hexDigits[byte >> 4];
    out += hexDigits[byte & 0x0F];
}

// The address as the anchor's target: escaped, and with its control bytes percent-encoded,
// so that a line break in the address cannot end the tag or break it across lines.
void appendTarget(std::string& out, std::string_view address)
{
    for (const char c : address) {
        if (isControlByte(c))
            appendPercentEncoded(out, c);
        else
            appendEscaped(out, std::string_view(&c, 1));
    }
}

} // namespace

std::string AddressAnchor(std::string_view address)
{
    // The address stands twice, as target and as shown text.
    std::string cell;
    cell.reserve(2 * address.size() + anchorStart.size() + anchorMiddle.size() + anchorEnd.size());
    cell += anchorStart;
    appendTarget(cell, address);
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
    // "T">X: the target holds no raw quote, so the first quote ends it; X decodes to the
    // address, and T must be exactly the target that address gives.
    const std::size_t middle = inner.find(anchorMiddle);
    if (middle == std::string_view::npos)
        return std::nullopt;
    std::optional<std::string> address =
        decodeEscaped(inner.substr(middle + anchorMiddle.size()), true);
    if (!address)
        return std::nullopt;
    std::string target;
    target.reserve(middle);
    appendTarget(target, *address);
    if (inner.substr(0, middle) != target)
        return std::nullopt;
    return address;
}

bool IsWebAddress(std::string_view address)
{
    return StartsWithIgnoringAsciiCase(address, "http:") ||
           StartsWithIgnoringAsciiCase(address, "https:") ||
           StartsWithIgnoringAsciiCase(address, "ftp:");
}

std::string DecodeAnchorTarget(std::string_view target)
{
    return decodeEscaped(target, false).value_or(std::string());
}

} // namespace varnok
