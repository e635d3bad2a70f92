#include "forensic/textescape.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace varnok {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr char32_t kControlPictures = 0x2400;
constexpr char32_t kDeletePicture = 0x2421;
constexpr char32_t kReplacementCharacter = 0xFFFD;

// Code points of the bytes 0x80 to 0x9F; the undefined ones keep their number.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOf(std::uint8_t byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return byte;
}

void AppendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

void AppendJsonEscape(std::string& out, char32_t codePoint)
{
    switch (codePoint) {
    case '"':
        out += "\\\"";
        return;
    case '\\':
        out += "\\\\";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        break;
    }
    if (codePoint < 0x20 || codePoint == 0x7F || (codePoint >= 0x80 && codePoint < 0xA0)) {
        out += "\\u00";
        out += kHexDigits[codePoint >> 4];
        out += kHexDigits[codePoint & 15];
        return;
    }
    AppendUtf8(out, codePoint);
}

// Printable ASCII other than the quote and the backslash goes out as it is; looked up in a
// table, as every byte of every header passes this test.
constexpr std::array<bool, 256> kPlainJsonBytes = [] {
    std::array<bool, 256> plain{};
    for (std::size_t byte = 0x20; byte < 0x7F; ++byte)
        plain[byte] = byte != '"' && byte != '\\';
    return plain;
}();

// Printable ASCII other than the body file's separator and the "%" that mactime decodes.
constexpr std::array<bool, 256> kPlainBodyBytes = [] {
    std::array<bool, 256> plain{};
    for (std::size_t byte = 0x20; byte < 0x7F; ++byte)
        plain[byte] = byte != '|' && byte != '%';
    return plain;
}();

bool IsPlainJsonByte(char byte)
{
    return kPlainJsonBytes[static_cast<std::uint8_t>(byte)];
}

constexpr std::uint64_t kEveryByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

// Non-zero when one of the eight bytes is zero (exact as a whole, not per byte).
constexpr std::uint64_t HasZeroByte(std::uint64_t word)
{
    return (word - kEveryByte) & ~word & kHighBits;
}

// Non-zero when one of the eight bytes needs more than a copy: a control byte, the quote,
// the backslash, DEL, or a byte of 0x80 and over (to be decoded).
constexpr std::uint64_t HasSpecialByte(std::uint64_t word)
{
    const std::uint64_t belowSpace = (word - kEveryByte * 0x20) & ~word & kHighBits;
    return belowSpace | (word & kHighBits) | HasZeroByte(word ^ (kEveryByte * '"')) |
           HasZeroByte(word ^ (kEveryByte * '\\')) | HasZeroByte(word ^ (kEveryByte * 0x7F));
}

std::uint64_t LoadWord(const char* bytes)
{
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

} // namespace

void AppendJsonText(std::string& out, std::string_view bytes)
{
    // Headers run to hundreds of bytes and nearly all of them are plain: they are tested
    // eight at a time and copied in runs, one append each.
    const char* const data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t runStart = 0;
    std::size_t at = 0;
    while (true) {
        while (at + sizeof(std::uint64_t) <= size) {
            const std::uint64_t special = HasSpecialByte(LoadWord(data + at));
            if (special == 0) {
                at += sizeof(std::uint64_t);
                continue;
            }
            // The lowest flag is exact (only the ones above it may be false), and on a
            // little-endian machine it marks the first byte that needs more than a copy.
            if constexpr (std::endian::native == std::endian::little)
                at += static_cast<std::size_t>(std::countr_zero(special)) / 8;
            break;
        }
        while (at < size && IsPlainJsonByte(data[at]))
            ++at;
        out.append(data + runStart, at - runStart);
        if (at == size)
            return;
        AppendJsonEscape(out, CodePointOf(static_cast<std::uint8_t>(data[at])));
        runStart = ++at;
    }
}

void AppendJsonString(std::string& out, std::string_view bytes)
{
    out += '"';
    AppendJsonText(out, bytes);
    out += '"';
}

void AppendBodyText(std::string& out, std::string_view bytes)
{
    std::size_t runStart = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const auto value = static_cast<std::uint8_t>(bytes[at]);
        if (kPlainBodyBytes[value])
            continue;
        // Plain bytes are copied in runs, one append each.
        out.append(bytes.data() + runStart, at - runStart);
        runStart = at + 1;
        const char32_t codePoint = CodePointOf(value);
        if (value == '|' || value == '%') {
            // mactime splits on "|" and then decodes "%XX": both go in encoded, so every
            // address comes out of it exactly as the file holds it.
            out += '%';
            out += kHexDigits[value >> 4];
            out += kHexDigits[value & 15];
        } else if (codePoint < 0x20) {
            // Control bytes as their pictures (U+2400 on): one line, nothing a terminal
            // acts on, and no text of Windows-1252 looks the same.
            AppendUtf8(out, kControlPictures + codePoint);
        } else if (codePoint == 0x7F) {
            AppendUtf8(out, kDeletePicture);
        } else if (codePoint >= 0x80 && codePoint < 0xA0) {
            // The five bytes Windows-1252 leaves undefined.
            AppendUtf8(out, kReplacementCharacter);
        } else {
            AppendUtf8(out, codePoint);
        }
    }
    out.append(bytes.data() + runStart, bytes.size() - runStart);
}

} // namespace varnok
