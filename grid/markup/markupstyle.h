#pragma once

#include <string_view>

#include "grid/markup/markuptags.h"
#include "platform/canvastypes.h"

namespace varnok {

enum class MarkupAlign { Left, Right, Center };

// What the layout starts from and what some closing tags return to.
struct MarkupDefaults {
    TGridFont Font; // Font.Color is the text colour
    TColor AnchorColor = 0;
    int UnitsPerInch = 96;
};

// The state the tags of a markup text change as the layout walks it: the font and the
// text background, anchor, list, paragraph and the other text flags.
struct MarkupStyle {
    TGridFont Font;
    TColor Background = kNoColor;          // behind the text (FONT BGCOLOR, HI)
    TColor ParagraphBackground = kNoColor; // behind whole lines (P BGCOLOR)
    TColor ColorBeforeHighlight = kNoColor;
    TColor BackgroundBeforeHighlight = kNoColor;
    bool InAnchor = false;
    std::string_view AnchorTarget;
    int ListLevel = 0;
    bool Subscript = false;
    bool Superscript = false;
    bool Shadow = false;
    bool Hidden = false;
    bool ErrorMark = false;
    MarkupAlign Align = MarkupAlign::Left;
    int Indent = 0;
};

/** The style a layout starts with. */
[[nodiscard]] MarkupStyle InitialMarkupStyle(const MarkupDefaults& defaults);

/** Applies what `tag` does to the style: fonts, colours, anchors, text flags, list level and
 * paragraph settings. Tags that act on lines or draw (BR, HR, LI, IND, BODY) leave the style as it
 * is; the layout handles them. */
void ApplyStyleTag(MarkupStyle& style, const MarkupTag& tag, const MarkupDefaults& defaults);

} // namespace varnok
