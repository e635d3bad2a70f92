#include "forensic/textescape.h"

#include <array>
#include <cstdint>

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

bool IsPlainJsonByte(char byte)
{
    return kPlainJsonBytes[static_cast<std::uint8_t>(byte)];
}

} // namespace

void AppendJsonText(std::string& out, std::string_view bytes)
{
    // Most bytes are plain: they are copied in runs, one append each.
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t runEnd = at;
        while (runEnd < bytes.size() && IsPlainJsonByte(bytes[runEnd]))
            ++runEnd;
        out.append(bytes.data() + at, runEnd - at);
        if (runEnd == bytes.size())
            break;
        AppendJsonEscape(out, CodePointOf(static_cast<std::uint8_t>(bytes[runEnd])));
        at = runEnd + 1;
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
    for (const char byte : bytes) {
        const auto value = static_cast<std::uint8_t>(byte);
        const char32_t codePoint = CodePointOf(value);
        if (byte == '|' || byte == '%') {
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
}

} // namespace varnok
