#include "grid/markup/texttype.h"

namespace varnok {

TTextType TextType(std::string_view text, bool enableHTML)
{
    if (text.empty() || !enableHTML)
        return ttPlain;
    if (text.front() == '=')
        return ttFormula;
    if (text.starts_with("{\\"))
        return ttRichText;
    // Upper-case letters only: the address anchors the scan builds use "<A" and "</A>",
    // and "</" alone is enough to mark them.
    if (text.find("</") != std::string_view::npos || text.find("<B") != std::string_view::npos ||
        text.find("<I") != std::string_view::npos)
        return ttMarkup;
    return ttPlain;
}

} // namespace varnok
