#include "grid/table/visittimeorder.h"

#include <array>
#include <cstddef>

namespace varnok {

namespace {

// Where each field stands in the 19-character text.
struct Field {
    std::size_t Start;
    std::size_t Length;
};
constexpr Field kFirst{0, 2};
constexpr Field kSecond{3, 2};
constexpr Field kYear{6, 4};
constexpr Field kClock{11, 8}; // "hh:mm:ss" orders as its characters do

constexpr std::string_view kShape = "00/00/0000 00:00:00"; // '0' stands for any digit

bool isVisitTime(std::string_view text)
{
    if (text.size() != kShape.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == '0' ? !digit : text[i] != kShape[i])
            return false;
    }
    return true;
}

int sign(int order)
{
    return (order > 0) - (order < 0);
}

} // namespace

int CompareVisitTimes(std::string_view left, std::string_view right, bool dayFirst)
{
    const bool leftIsTime = isVisitTime(left);
    const bool rightIsTime = isVisitTime(right);
    if (!leftIsTime || !rightIsTime) {
        if (leftIsTime != rightIsTime)
            return leftIsTime ? 1 : -1;
        return sign(left.compare(right));
    }
    // Digits of equal width order as the numbers they write.
    const std::array<Field, 4> fieldsInTimeOrder = {kYear, dayFirst ? kSecond : kFirst,
                                                    dayFirst ? kFirst : kSecond, kClock};
    for (const Field& field : fieldsInTimeOrder) {
        const int order =
            left.substr(field.Start, field.Length).compare(right.substr(field.Start, field.Length));
        if (order != 0)
            return sign(order);
    }
    return 0;
}

} // namespace varnok
