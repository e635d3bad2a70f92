#include "grid/markup/markupplaintext.h"

#include "platform/asciicase.h"

namespace varnok {

namespace {

// "<BR>" and "<HR>" break the line; attributes or blanks inside the brackets make them
// other tags, which are dropped like every other one.
bool isLineBreakTag(std::string_view inside)
{
    return EqualsIgnoringAsciiCase(inside, "BR") || EqualsIgnoringAsciiCase(inside, "HR");
}

} // namespace

std::string MarkupPlainText(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('<', pos);
        if (open == std::string_view::npos) {
            result.append(text.substr(pos));
            break;
        }
        result.append(text.substr(pos, open - pos));
        const std::size_t close = text.find('>', open + 1);
        if (close == std::string_view::npos)
            break; // a tag without its ">" takes the rest of the text with it
        if (isLineBreakTag(text.substr(open + 1, close - open - 1)))
            result.append("\r\n");
        pos = close + 1;
    }
    return result;
}

} // namespace varnok
