#include "platform/qt/cp1252.h"

#include <array>

namespace varnok {

namespace {

// 0x80..0x9F, the only range where Windows-1252 differs from ISO 8859-1. The unassigned
// bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D map to their C1 code points (as Windows does),
// so decoding and encoding again gives back every byte of the evidence unchanged.
constexpr std::array<char16_t, 32> kHighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

char encodeOne(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    for (std::size_t i = 0; i < kHighTable.size(); ++i) {
        if (kHighTable[i] == unit) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

} // namespace

QString DecodeCp1252(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ =
            (byte >= 0x80 && byte < 0xA0) ? QChar(kHighTable[byte - 0x80]) : QChar(char16_t{byte});
    }
    return text;
}

std::string EncodeCp1252(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text.at(i);
        // A character outside the basic plane is one "?", not two.
        if (unit.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
        }
        bytes.push_back(encodeOne(unit.unicode()));
    }
    return bytes;
}

} // namespace varnok
