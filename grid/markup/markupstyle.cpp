#include "grid/markup/markupstyle.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "grid/markup/markupcolor.h"
#include "platform/asciicase.h"

namespace varnok {

namespace {

// FONT SIZE 1 to 5 are these point sizes; other numbers are points themselves.
constexpr std::array<int, 5> kFontSizePoints = {8, 10, 12, 14, 16};
constexpr int kPointsPerInch = 72;
// A hostile size must not ask the toolkit for glyphs of absurd size.
constexpr int kLargestFontHeight = 1000;
constexpr int kDeepestListLevel = 1000;

int fontHeightOf(int size, int unitsPerInch)
{
    const int points =
        size >= 1 && size <= 5 ? kFontSizePoints[static_cast<std::size_t>(size - 1)] : size;
    const double height = static_cast<double>(points) * unitsPerInch / kPointsPerInch;
    return std::clamp(static_cast<int>(std::lround(height)), 1, kLargestFontHeight);
}

void applyFont(MarkupStyle& style, const MarkupTag& tag, const MarkupDefaults& defaults)
{
    if (tag.Closing) {
        style.Font.Name = defaults.Font.Name;
        style.Font.Height = defaults.Font.Height;
        style.Font.Color = defaults.Font.Color;
        style.Background = kNoColor;
        return;
    }
    if (const auto face = TagAttribute(tag.Text, "FACE"))
        style.Font.Name = std::string(*face);
    if (const auto color = TagAttribute(tag.Text, "COLOR"))
        style.Font.Color = MarkupColor(*color);
    if (const auto background = TagAttribute(tag.Text, "BGCOLOR"))
        style.Background = MarkupColor(*background);
    if (const auto size = TagNumber(tag.Text, "SIZE"); size && *size > 0)
        style.Font.Height = fontHeightOf(*size, defaults.UnitsPerInch);
}

void applyParagraph(MarkupStyle& style, const MarkupTag& tag)
{
    if (tag.Closing) {
        style.ParagraphBackground = kNoColor;
        return;
    }
    if (const auto align = TagAttribute(tag.Text, "ALIGN")) {
        if (ContainsIgnoringAsciiCase(*align, "RIGHT"))
            style.Align = MarkupAlign::Right;
        else if (ContainsIgnoringAsciiCase(*align, "LEFT"))
            style.Align = MarkupAlign::Left;
        else if (ContainsIgnoringAsciiCase(*align, "CENTER"))
            style.Align = MarkupAlign::Center;
    }
    if (const auto indent = TagNumber(tag.Text, "INDENT"))
        style.Indent = *indent;
    if (const auto background = TagAttribute(tag.Text, "BGCOLOR"))
        style.ParagraphBackground = MarkupColor(*background);
}

void applyAnchor(MarkupStyle& style, const MarkupTag& tag, const MarkupDefaults& defaults)
{
    style.InAnchor = !tag.Closing;
    style.AnchorTarget = tag.Closing ? std::string_view() : AnchorTargetOf(tag.Text);
    style.Font.Underline = !tag.Closing;
    style.Font.Color = tag.Closing ? defaults.Font.Color : defaults.AnchorColor;
}

void applyHighlight(MarkupStyle& style, const MarkupTag& tag)
{
    if (tag.Closing) {
        style.Font.Color = style.ColorBeforeHighlight;
        style.Background = style.BackgroundBeforeHighlight;
        return;
    }
    style.ColorBeforeHighlight = style.Font.Color;
    style.BackgroundBeforeHighlight = style.Background;
    style.Font.Color = clHighlightText;
    style.Background = clHighlight;
}

} // namespace

MarkupStyle InitialMarkupStyle(const MarkupDefaults& defaults)
{
    MarkupStyle style;
    style.Font = defaults.Font;
    style.ColorBeforeHighlight = defaults.Font.Color;
    return style;
}

void ApplyStyleTag(MarkupStyle& style, const MarkupTag& tag, const MarkupDefaults& defaults)
{
    const bool on = !tag.Closing;
    switch (tag.Kind) {
    case MarkupTagKind::Anchor:
        applyAnchor(style, tag, defaults);
        break;
    case MarkupTagKind::Bold:
        style.Font.Bold = on;
        break;
    case MarkupTagKind::Italic:
        style.Font.Italic = on;
        break;
    case MarkupTagKind::Underline:
        style.Font.Underline = on;
        break;
    case MarkupTagKind::StrikeOut:
        style.Font.StrikeOut = on;
        break;
    case MarkupTagKind::Paragraph:
        applyParagraph(style, tag);
        break;
    case MarkupTagKind::Font:
        applyFont(style, tag, defaults);
        break;
    case MarkupTagKind::Highlight:
        applyHighlight(style, tag);
        break;
    case MarkupTagKind::ErrorMark:
        style.ErrorMark = on;
        break;
    case MarkupTagKind::Hidden:
        style.Hidden = on;
        break;
    case MarkupTagKind::Shadow:
        style.Shadow = on;
        break;
    case MarkupTagKind::Subscript:
        style.Subscript = on;
        break;
    case MarkupTagKind::Superscript:
        style.Superscript = on;
        break;
    case MarkupTagKind::List:
        style.ListLevel = std::clamp(style.ListLevel + (on ? 1 : -1), 0, kDeepestListLevel);
        break;
    default:
        break; // the layout's own tags, pictures, rotation and unknown tags
    }
}

} // namespace varnok
