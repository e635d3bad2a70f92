#include "grid/markup/markupcolor.h"

#include <array>

#include "platform/asciicase.h"
#include "platform/hexdigit.h"

namespace varnok {

namespace {

constexpr TColor kSystemColorFlag = 0x80000000;

struct NamedColor {
    std::string_view Name;
    TColor Color;
};

constexpr std::array<NamedColor, 16> kStandardColors = {{
    {"clred", 0x0000FF},
    {"clblack", 0x000000},
    {"clblue", 0xFF0000},
    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},
    {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},
    {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},
    {"clgray", 0x808080},
    {"clolive", 0x008080},
    {"clnavy", 0x800000},
    {"clpurple", 0x800080},
    {"clteal", 0x808000},
    {"clmaroon", 0x000080},
}};

// The system colours by name; a name's position plus one is its system colour index.
constexpr std::array<std::string_view, 24> kSystemColorNames = {
    "clbackground",
    "clactivecaption",
    "clinactivecaption",
    "clmenu",
    "clwindow",
    "clwindowframe",
    "clmenutext",
    "clwindowtext",
    "clcaptiontext",
    "clactiveborder",
    "clinactiveborder",
    "clappworkspace",
    "clhighlight",
    "clhighlighttext",
    "clbtnface",
    "clbtnshadow",
    "clgraytext",
    "clbtntext",
    "clinactivecaptiontext",
    "clbtnhighlight",
    "cl3ddkshadow",
    "cl3dlight",
    "clinfotext",
    "clinfobk",
};

TColor hexColor(std::string_view digits)
{
    TColor rgb = 0;
    for (std::size_t i = 0; i < 6; ++i) {
        const int value = i < digits.size() ? HexDigitValue(digits[i]) : -1;
        if (value < 0)
            return clBlack;
        rgb = (rgb << 4) | static_cast<TColor>(value);
    }
    // Written red first; the colour value keeps red in its lowest byte.
    return ((rgb >> 16) & 0xFF) | (rgb & 0x00FF00) | ((rgb & 0xFF) << 16);
}

} // namespace

TColor MarkupColor(std::string_view value)
{
    if (value.starts_with('#'))
        return hexColor(value.substr(1));
    for (const NamedColor& named : kStandardColors) {
        if (EqualsIgnoringAsciiCase(value, named.Name))
            return named.Color;
    }
    for (std::size_t i = 0; i < kSystemColorNames.size(); ++i) {
        if (EqualsIgnoringAsciiCase(value, kSystemColorNames[i]))
            return kSystemColorFlag | static_cast<TColor>(i + 1);
    }
    return clBlack;
}

} // namespace varnok
