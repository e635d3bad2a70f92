#pragma once

#include <optional>
#include <string_view>

namespace varnok {

// The tags of cell markup. A tag is named by the letters after "<" or "</", in any letter
// case: a one-letter name must stand alone ("<B>", not "<BIG>"), longer names are known by
// their first two letters ("<FO>" and "<FONT>" alike), SUB and SUP by their first three.
enum class MarkupTagKind {
    Unknown,
    Anchor,      // A
    Bold,        // B
    Italic,      // I
    Underline,   // U
    StrikeOut,   // S
    LineBreak,   // BR
    Rule,        // HR
    Paragraph,   // P
    Font,        // FONT
    Highlight,   // HI
    ErrorMark,   // E
    Hidden,      // Z
    Shadow,      // SHAD
    Subscript,   // SUB
    Superscript, // SUP
    List,        // UL
    ListItem,    // LI
    Indent,      // IND
    Body,        // BODY
    Image,       // IMG
    Rotate,      // R
};

struct MarkupTag {
    MarkupTagKind Kind = MarkupTagKind::Unknown;
    bool Closing = false;
    std::string_view Text; // everything between "<" and ">"
};

/** The tag whose text between "<" and ">" is `inside`. */
[[nodiscard]] MarkupTag ParseMarkupTag(std::string_view inside);

/** The value of attribute `upperName` (given in capitals, matched in any case) in a tag's text:
 * NAME=value, NAME="value" or NAME='value', the name following a blank. */
[[nodiscard]] std::optional<std::string_view> TagAttribute(std::string_view inside,
                                                           std::string_view upperName);

/** An attribute's value as a whole number (clamped to +-65535); none when it is not one. */
[[nodiscard]] std::optional<int> TagNumber(std::string_view inside, std::string_view upperName);

/** An anchor tag's target: the text between its first two double quotes, else empty. */
[[nodiscard]] std::string_view AnchorTargetOf(std::string_view inside);

} // namespace varnok
