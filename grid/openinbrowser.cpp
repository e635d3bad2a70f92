#include "grid/openinbrowser.h"

#include <string>
#include <string_view>

#include "grid/anchorpress.h"
#include "grid/basegrid.h"
#include "grid/markuptags.h"
#include "grid/resultlist.h"
#include "grid/texttype.h"

namespace {

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

bool OpenRowInBrowser(const TBaseGrid& grid, int row, ShellService& shell)
{
    // The caption row is never an address, whatever it holds.
    if (row < 1 || row >= grid.GetRowCountEx())
        return false;
    const std::string_view text = grid.GetCellEx(kAddressColumn, row);
    if (text.empty())
        return false;
    if (TextType(text, grid.EnableHTML()) == ttMarkup)
        return OpenAnchorTarget(shell, FirstAnchorTarget(text));
    return OpenWebAddress(shell, text);
}
