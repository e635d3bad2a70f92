#include "grid/search/conditionvalues.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace varnok {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The pieces of a text in number form; each view is empty when the piece is absent.
struct NumberPieces {
    std::string_view Mantissa; // from the sign on, the part from_chars converts
    std::string_view Integer;
    std::string_view Fraction;
    bool NegativeExponent = false;
    std::string_view ExponentDigits;
};

class NumberScanner {
public:
    explicit NumberScanner(std::string_view text) : m_text(text) {}

    std::optional<NumberPieces> Scan()
    {
        NumberPieces pieces;
        while (peek() == ' ')
            ++m_pos;
        const std::size_t start = m_pos;
        if (peek() == '+' || peek() == '-')
            ++m_pos;
        pieces.Integer = digits();
        if (pieces.Integer.empty())
            return std::nullopt;
        if (peek() == '.') {
            ++m_pos;
            pieces.Fraction = digits();
            if (pieces.Fraction.empty())
                return std::nullopt;
        }
        pieces.Mantissa = m_text.substr(start, m_pos - start);
        if (peek() == 'E' || peek() == 'e') {
            ++m_pos;
            pieces.NegativeExponent = peek() == '-';
            if (peek() == '+' || peek() == '-')
                ++m_pos;
            pieces.ExponentDigits = digits();
            if (pieces.ExponentDigits.empty())
                return std::nullopt;
        }
        if (m_pos != m_text.size())
            return std::nullopt;
        return pieces;
    }

private:
    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }

    std::string_view digits()
    {
        const std::size_t start = m_pos;
        while (isDigit(peek()))
            ++m_pos;
        return m_text.substr(start, m_pos - start);
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

// A whole number that cannot overflow: anything above `ceiling` reads as `ceiling`.
long long saturatedValue(std::string_view digits, long long ceiling)
{
    long long value = 0;
    for (char c : digits)
        value = std::min(ceiling, value * 10 + (c - '0'));
    return value;
}

// The power of ten of the first significant digit, for telling an overflow from an underflow.
long long decimalMagnitude(const NumberPieces& pieces)
{
    constexpr long long kCeiling = 1'000'000'000;
    long long magnitude = 0;
    const std::size_t firstSignificant = pieces.Integer.find_first_not_of('0');
    if (firstSignificant != std::string_view::npos)
        magnitude = static_cast<long long>(pieces.Integer.size() - firstSignificant);
    else if (const std::size_t first = pieces.Fraction.find_first_not_of('0');
             first != std::string_view::npos)
        magnitude = -static_cast<long long>(first);
    const long long exponent = saturatedValue(pieces.ExponentDigits, kCeiling);
    return magnitude + (pieces.NegativeExponent ? -exponent : exponent);
}

double valueOf(const NumberPieces& pieces)
{
    std::string_view mantissa = pieces.Mantissa;
    const bool negative = mantissa.front() == '-';
    if (mantissa.front() == '+' || negative)
        mantissa.remove_prefix(1);
    // from_chars reads the exponent too; the mantissa view ends before it, so widen it.
    const char* end = pieces.ExponentDigits.empty()
                          ? mantissa.data() + mantissa.size()
                          : pieces.ExponentDigits.data() + pieces.ExponentDigits.size();
    double value = 0.0;
    if (std::from_chars(mantissa.data(), end, value).ec == std::errc::result_out_of_range)
        value = decimalMagnitude(pieces) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -value : value;
}

bool isLeapYear(long long year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

long long daysInMonth(long long year, long long month)
{
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year))
        return 29;
    return kDays[static_cast<std::size_t>(month - 1)];
}

} // namespace

std::optional<double> ReadConditionNumber(std::string_view text)
{
    const std::optional<NumberPieces> pieces = NumberScanner(text).Scan();
    if (!pieces)
        return std::nullopt;
    return valueOf(*pieces);
}

std::optional<int> ReadConditionDate(std::string_view text, const ShortDateFormat& format)
{
    constexpr long long kCeiling = 100'000; // above any day, month or year that can be valid
    std::array<long long, 3> fields{};
    std::size_t pos = 0;
    for (std::size_t index = 0; index < fields.size(); ++index) {
        const std::size_t start = pos;
        while (pos < text.size() && isDigit(text[pos]))
            ++pos;
        if (pos == start)
            return std::nullopt;
        const long long value = saturatedValue(text.substr(start, pos - start), kCeiling);
        const auto field = static_cast<std::size_t>(format.Order[index]);
        fields[field] = value;
        const bool last = index + 1 == fields.size();
        if (!last && (pos >= text.size() || text[pos] != format.Separator))
            return std::nullopt;
        if (!last)
            ++pos;
    }
    if (pos != text.size())
        return std::nullopt;
    const long long day = fields[static_cast<std::size_t>(DateField::Day)];
    const long long month = fields[static_cast<std::size_t>(DateField::Month)];
    const long long year = fields[static_cast<std::size_t>(DateField::Year)];
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month))
        return std::nullopt;
    return static_cast<int>(year * 10000 + month * 100 + day);
}

} // namespace varnok
