#include "grid/table/openinbrowser.h"

#include <string>
#include <string_view>

#include "grid/markup/markuptags.h"
#include "grid/markup/safeanchor.h"
#include "grid/markup/texttype.h"
#include "grid/table/anchorpress.h"
#include "grid/table/basegrid.h"
#include "grid/table/resultlist.h"
#include "platform/shellservice.h"

namespace varnok {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsAsciiAlphanumeric(unsigned char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
           (byte >= '0' && byte <= '9');
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The characters a web address holds as they stand: the unreserved and the reserved ones.
bool StandsAsItIs(unsigned char byte)
{
    return IsAsciiAlphanumeric(byte) ||
           std::string_view("-._~:/?#[]@!$&'()*+,;=").find(static_cast<char>(byte)) !=
               std::string_view::npos;
}

bool StartsEscape(std::string_view address, std::size_t at)
{
    return at + 2 < address.size() && address[at] == '%' && IsHexDigit(address[at + 1]) &&
           IsHexDigit(address[at + 2]);
}

// The target of the first anchor tag in markup; a tag left open ends the text.
std::string_view FirstAnchorTarget(std::string_view markup)
{
    std::size_t open = markup.find('<');
    while (open != std::string_view::npos) {
        const std::size_t close = markup.find('>', open + 1);
        if (close == std::string_view::npos)
            return {};
        const std::string_view inside = markup.substr(open + 1, close - open - 1);
        const MarkupTag tag = ParseMarkupTag(inside);
        if (tag.Kind == MarkupTagKind::Anchor && !tag.Closing)
            return AnchorTargetOf(inside);
        open = markup.find('<', close + 1);
    }
    return {};
}

} // namespace

std::optional<std::string> DesktopAddressOf(std::string_view address)
{
    if (!IsWebAddress(address))
        return std::nullopt;
    std::string written;
    written.reserve(address.size());
    for (std::size_t at = 0; at < address.size(); ++at) {
        const auto byte = static_cast<unsigned char>(address[at]);
        if (StandsAsItIs(byte) || StartsEscape(address, at)) {
            written += static_cast<char>(byte);
        } else {
            written += '%';
            written += kHexDigits[byte >> 4];
            written += kHexDigits[byte & 0x0F];
        }
    }
    return written;
}

OpenOutcome OpenWebAddress(ShellService& shell, std::string_view address)
{
    const std::optional<std::string> written = DesktopAddressOf(address);
    if (!written)
        return OpenOutcome::Refused;
    // A desktop that cannot open it goes unreported, as for any program it hands it to.
    static_cast<void>(shell.OpenAddress(*written));
    return OpenOutcome::HandedOver;
}

OpenOutcome OpenAnchorTarget(ShellService& shell, std::string_view target)
{
    return OpenWebAddress(shell, DecodeAnchorTarget(target));
}

OpenOutcome OpenRowInBrowser(const TBaseGrid& grid, int row, ShellService& shell)
{
    // The caption row is never an address, whatever it holds.
    if (row < 1 || row >= grid.GetRowCountEx())
        return OpenOutcome::NothingToOpen;
    const std::string_view text = grid.GetCellEx(kAddressColumn, row);
    if (text.empty())
        return OpenOutcome::NothingToOpen;
    if (TextType(text, grid.EnableHTML()) == ttMarkup)
        return OpenAnchorTarget(shell, FirstAnchorTarget(text));
    return OpenWebAddress(shell, text);
}

} // namespace varnok
