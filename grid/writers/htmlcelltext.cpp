#include "grid/writers/htmlcelltext.h"

#include <algorithm>

#include "grid/markup/safeanchor.h"
#include "grid/writers/outputbuffer.h"

namespace varnok {

namespace {

constexpr std::string_view lineBreakTag = "<br>";

// Control characters have no place in a link; a target holding one is shown as text.
bool hasControlCharacter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

void appendEscaped(OutputBuffer& out, std::string_view text)
{
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string_view replacement;
        switch (text[i]) {
        case '&':
            replacement = "&amp;";
            break;
        case '<':
            replacement = "&lt;";
            break;
        case '>':
            replacement = "&gt;";
            break;
        case '\r':
            replacement = lineBreakTag;
            break;
        default:
            continue;
        }
        out.Append(text.substr(runStart, i - runStart));
        out.Append(replacement);
        runStart = i + 1;
    }
    out.Append(text.substr(runStart));
}

} // namespace

void AppendHtmlCellText(OutputBuffer& out, std::string_view text)
{
    if (text.empty()) {
        out.Append(lineBreakTag);
        return;
    }
    // Only texts ending in "</A>" can be anchors; the check keeps plain cells cheap.
    if (text.ends_with("</A>")) {
        if (const auto address = AddressAnchorTarget(text)) {
            if (IsWebAddress(*address) && !hasControlCharacter(*address))
                out.Append(text);
            else if (address->empty())
                out.Append(lineBreakTag);
            else
                appendEscaped(out, *address);
            return;
        }
    }
    appendEscaped(out, text);
}

} // namespace varnok
