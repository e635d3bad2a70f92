#include "platform/profileint.h"

#include <cstdint>
#include <limits>

#include "platform/hexdigit.h"

namespace varnok {

namespace {

// Up to eight hexadecimal digits, taken as the 32-bit pattern they spell.
bool parseHex(std::string_view digits, int& result)
{
    if (digits.empty() || digits.size() > 8)
        return false;
    std::uint32_t value = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return false;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    result = static_cast<int>(value);
    return true;
}

bool parseDecimal(std::string_view text, int& result)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    // Accumulated as a magnitude so that the lowest 32-bit value still fits.
    const std::int64_t limit = negative
                                   ? -static_cast<std::int64_t>(std::numeric_limits<int>::min())
                                   : std::numeric_limits<int>::max();
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return false;
    }
    result = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

} // namespace

int ParseProfileInt(std::string_view text, int defaultValue)
{
    int result = 0;
    bool converted = false;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        converted = parseHex(text.substr(2), result);
    else if (!text.empty() && text[0] == '$')
        converted = parseHex(text.substr(1), result);
    else
        converted = parseDecimal(text, result);
    return converted ? result : defaultValue;
}

} // namespace varnok
