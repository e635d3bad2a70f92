#include "grid/search/conditioncompare.h"

#include <algorithm>

#include "grid/search/conditionvalues.h"

namespace varnok {

namespace {

// Texts compare over this many bytes at most; what follows does not count.
constexpr std::size_t kComparedBytes = 255;

int compareBytes(std::string_view left, std::string_view right)
{
    left = left.substr(0, std::min(left.size(), kComparedBytes));
    right = right.substr(0, std::min(right.size(), kComparedBytes));
    const std::size_t common = std::min(left.size(), right.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto a = static_cast<unsigned char>(left[i]);
        const auto b = static_cast<unsigned char>(right[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (left.size() == right.size())
        return 0;
    return left.size() < right.size() ? -1 : 1;
}

template <typename T> int compareValues(T left, T right)
{
    if (left < right)
        return -1;
    return right < left ? 1 : 0;
}

bool isOperandEnd(char c)
{
    return c == ' ' || c == '&' || c == '|';
}

} // namespace

ConditionComparison::ConditionComparison(std::string_view part, const ShortDateFormat& dates)
    : m_greater(operandAfter(part, '>', dates)), m_less(operandAfter(part, '<', dates)),
      m_dates(dates)
{
}

std::optional<ConditionComparison::Operand>
ConditionComparison::operandAfter(std::string_view part, char sign, const ShortDateFormat& dates)
{
    std::size_t pos = part.find(sign);
    if (pos == std::string_view::npos)
        return std::nullopt;
    Operand operand;
    ++pos;
    if (pos < part.size() && part[pos] == '=') {
        operand.OrEqual = true;
        ++pos;
    }
    while (pos < part.size() && part[pos] == ' ')
        ++pos;
    std::size_t end = pos;
    while (end < part.size() && !isOperandEnd(part[end]))
        ++end;
    operand.Text = part.substr(pos, end - pos);
    operand.Number = ReadConditionNumber(operand.Text);
    operand.Date = ReadConditionDate(operand.Text, dates);
    return operand;
}

int ConditionComparison::compare(std::string_view text, const Operand& operand) const
{
    if (operand.Number) {
        if (const std::optional<double> number = ReadConditionNumber(text))
            return compareValues(*number, *operand.Number);
    }
    if (operand.Date) {
        if (const std::optional<int> date = ReadConditionDate(text, m_dates))
            return compareValues(*date, *operand.Date);
    }
    return compareBytes(text, operand.Text);
}

bool ConditionComparison::Holds(std::string_view text) const
{
    if (m_greater) {
        const int order = compare(text, *m_greater);
        if (order > 0 || (order == 0 && m_greater->OrEqual))
            return true;
    }
    if (m_less) {
        const int order = compare(text, *m_less);
        if (order < 0 || (order == 0 && m_less->OrEqual))
            return true;
    }
    return false;
}

} // namespace varnok
