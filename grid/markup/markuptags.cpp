#include "grid/markup/markuptags.h"

#include <algorithm>
#include <array>

#include "platform/asciicase.h"

namespace varnok {

namespace {

constexpr int kLargestNumber = 65535;

struct TagName {
    std::string_view Name;
    MarkupTagKind Kind;
};

constexpr std::array<TagName, 9> kOneLetterTags = {{
    {"A", MarkupTagKind::Anchor},
    {"B", MarkupTagKind::Bold},
    {"I", MarkupTagKind::Italic},
    {"U", MarkupTagKind::Underline},
    {"S", MarkupTagKind::StrikeOut},
    {"P", MarkupTagKind::Paragraph},
    {"E", MarkupTagKind::ErrorMark},
    {"Z", MarkupTagKind::Hidden},
    {"R", MarkupTagKind::Rotate},
}};

// Known by their first two letters, or three where two would not tell them apart.
constexpr std::array<TagName, 12> kLongerTags = {{
    {"SUB", MarkupTagKind::Subscript},
    {"SUP", MarkupTagKind::Superscript},
    {"BR", MarkupTagKind::LineBreak},
    {"BO", MarkupTagKind::Body},
    {"HR", MarkupTagKind::Rule},
    {"HI", MarkupTagKind::Highlight},
    {"FO", MarkupTagKind::Font},
    {"SH", MarkupTagKind::Shadow},
    {"UL", MarkupTagKind::List},
    {"LI", MarkupTagKind::ListItem},
    {"IN", MarkupTagKind::Indent},
    {"IM", MarkupTagKind::Image},
}};

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

MarkupTagKind kindOfName(std::string_view name)
{
    if (name.size() == 1) {
        for (const TagName& tag : kOneLetterTags) {
            if (AsciiUpper(name[0]) == tag.Name[0])
                return tag.Kind;
        }
        return MarkupTagKind::Unknown;
    }
    for (const TagName& tag : kLongerTags) {
        if (StartsWithIgnoringAsciiCase(name, tag.Name))
            return tag.Kind;
    }
    return MarkupTagKind::Unknown;
}

std::string_view valueAt(std::string_view inside, std::size_t pos)
{
    while (pos < inside.size() && isBlank(inside[pos]))
        ++pos;
    if (pos >= inside.size())
        return {};
    const char quote = inside[pos];
    if (quote == '"' || quote == '\'') {
        const std::size_t end = inside.find(quote, pos + 1);
        return inside.substr(pos + 1, end == std::string_view::npos ? std::string_view::npos
                                                                    : end - pos - 1);
    }
    std::size_t end = pos;
    while (end < inside.size() && !isBlank(inside[end]))
        ++end;
    return inside.substr(pos, end - pos);
}

} // namespace

MarkupTag ParseMarkupTag(std::string_view inside)
{
    MarkupTag tag;
    tag.Text = inside;
    std::string_view name = inside;
    if (name.starts_with('/')) {
        tag.Closing = true;
        name.remove_prefix(1);
    }
    const auto end = std::find_if(name.begin(), name.end(), [](char c) { return !isLetter(c); });
    tag.Kind = kindOfName(name.substr(0, static_cast<std::size_t>(end - name.begin())));
    return tag;
}

std::optional<std::string_view> TagAttribute(std::string_view inside, std::string_view upperName)
{
    for (std::size_t pos = 1; pos + upperName.size() <= inside.size(); ++pos) {
        if (!isBlank(inside[pos - 1]) ||
            !StartsWithIgnoringAsciiCase(inside.substr(pos), upperName))
            continue;
        std::size_t after = pos + upperName.size();
        while (after < inside.size() && isBlank(inside[after]))
            ++after;
        if (after < inside.size() && inside[after] == '=')
            return valueAt(inside, after + 1);
    }
    return std::nullopt;
}

std::optional<int> TagNumber(std::string_view inside, std::string_view upperName)
{
    const auto value = TagAttribute(inside, upperName);
    if (!value || value->empty())
        return std::nullopt;
    std::string_view digits = *value;
    const bool negative = digits.starts_with('-');
    if (negative || digits.starts_with('+'))
        digits.remove_prefix(1);
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return std::nullopt;
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            break;
        number = std::min(number * 10 + (c - '0'), kLargestNumber);
    }
    return negative ? -number : number;
}

std::string_view AnchorTargetOf(std::string_view inside)
{
    const std::size_t open = inside.find('"');
    if (open == std::string_view::npos)
        return {};
    const std::size_t close = inside.find('"', open + 1);
    if (close == std::string_view::npos)
        return {};
    return inside.substr(open + 1, close - open - 1);
}

} // namespace varnok
