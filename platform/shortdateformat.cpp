#include "platform/shortdateformat.h"

#include <langinfo.h>
#include <locale.h>

#include <optional>
#include <string>

namespace varnok {

namespace {

// Flags, widths and the E/O modifiers that may stand between "%" and the conversion.
bool isConversionModifier(char c)
{
    return c == '-' || c == '_' || c == '0' || c == '^' || c == '#' || c == 'E' || c == 'O' ||
           (c >= '1' && c <= '9');
}

std::optional<DateField> fieldOf(char conversion)
{
    switch (conversion) {
    case 'd':
    case 'e':
        return DateField::Day;
    case 'm':
        return DateField::Month;
    case 'y':
    case 'Y':
    case 'G':
    case 'g':
        return DateField::Year;
    default:
        return std::nullopt;
    }
}

// The composite conversions spelt out, so that their fields and separator count too.
std::string expandComposites(std::string_view pattern)
{
    std::string expanded;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 'D') {
            expanded += "%m/%d/%y";
            ++i;
        } else if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 'F') {
            expanded += "%Y-%m-%d";
            ++i;
        } else {
            expanded += pattern[i];
        }
    }
    return expanded;
}

} // namespace

ShortDateFormat ShortDateFormatFromPattern(std::string_view pattern)
{
    const std::string expanded = expandComposites(pattern);
    ShortDateFormat format;
    std::size_t fieldCount = 0;
    std::optional<char> separator;
    for (std::size_t i = 0; i < expanded.size(); ++i) {
        if (expanded[i] != '%') {
            // The separator is what stands between the first two fields.
            if (fieldCount == 1 && !separator)
                separator = expanded[i];
            continue;
        }
        ++i;
        while (i < expanded.size() && isConversionModifier(expanded[i]))
            ++i;
        if (i >= expanded.size())
            break;
        const std::optional<DateField> field = fieldOf(expanded[i]);
        if (!field)
            continue;
        if (fieldCount == format.Order.size())
            return ShortDateFormat{};
        format.Order[fieldCount++] = *field;
    }
    const auto& order = format.Order;
    const bool eachFieldOnce =
        fieldCount == 3 && order[0] != order[1] && order[1] != order[2] && order[0] != order[2];
    if (!eachFieldOnce || !separator)
        return ShortDateFormat{};
    format.Separator = *separator;
    return format;
}

ShortDateFormat SystemShortDateFormat()
{
    // A locale object of its own: setlocale would change the whole process.
    const locale_t userLocale = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    if (userLocale == static_cast<locale_t>(nullptr))
        return ShortDateFormat{};
    const std::string pattern = nl_langinfo_l(D_FMT, userLocale);
    freelocale(userLocale);
    return ShortDateFormatFromPattern(pattern);
}

} // namespace varnok
