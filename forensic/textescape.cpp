#include "forensic/textescape.h"

#include <algorithm>
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

constexpr char32_t CodePointOf(std::uint8_t byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return byte;
}

constexpr bool IsUndefinedOrControl(char32_t codePoint)
{
    return codePoint < 0x20 || codePoint == 0x7F || (codePoint >= 0x80 && codePoint < 0xA0);
}

// What one byte of the file becomes in the output: at most six characters.
struct ByteText {
    char Text[7] = {};
    std::uint8_t Length = 0;

    constexpr void Put(char character) { Text[Length++] = character; }
    constexpr void PutUtf8(char32_t codePoint)
    {
        if (codePoint < 0x80) {
            Put(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            Put(static_cast<char>(0xC0 | (codePoint >> 6)));
            Put(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else {
            Put(static_cast<char>(0xE0 | (codePoint >> 12)));
            Put(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            Put(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
    }
};
constexpr ByteText JsonTextOf(std::uint8_t byte)
{
    ByteText text;
    const char32_t codePoint = CodePointOf(byte);
    constexpr std::pair<char32_t, char> kShortEscapes[] = {
        {'"', '"'}, {'\\', '\\'}, {'\n', 'n'}, {'\r', 'r'}, {'\t', 't'}};
    for (const auto& [escaped, letter] : kShortEscapes) {
        if (codePoint == escaped) {
            text.Put('\\');
            text.Put(letter);
            return text;
        }
    }
    if (IsUndefinedOrControl(codePoint)) {
        for (const char character :
             {'\\', 'u', '0', '0', kHexDigits[codePoint >> 4], kHexDigits[codePoint & 15]})
            text.Put(character);
        return text;
    }
    text.PutUtf8(codePoint);
    return text;
}

constexpr ByteText BodyTextOf(std::uint8_t byte)
{
    ByteText text;
    const char32_t codePoint = CodePointOf(byte);
    if (byte == '|' || byte == '%') {
        // mactime splits on "|" and then decodes "%XX": both go in encoded, so every
        // address comes out of it exactly as the file holds it.
        text.Put('%');
        text.Put(kHexDigits[byte >> 4]);
        text.Put(kHexDigits[byte & 15]);
    } else if (codePoint < 0x20) {
        // Control bytes as their pictures (U+2400 on): one line, nothing a terminal acts
        // on, and no text of Windows-1252 looks the same.
        text.PutUtf8(kControlPictures + codePoint);
    } else if (codePoint == 0x7F) {
        text.PutUtf8(kDeletePicture);
    } else if (codePoint >= 0x80 && codePoint < 0xA0) {
        // The five bytes Windows-1252 leaves undefined.
        text.PutUtf8(kReplacementCharacter);
    } else {
        text.PutUtf8(codePoint);
    }
    return text;
}

// How one format writes bytes: the text of each byte, and the two printable ASCII bytes
// that are not copied as they are. Every other printable ASCII byte is.
struct EscapeRules {
    std::array<ByteText, 256> Texts;
    char FirstSpecial;
    char SecondSpecial;
};

template <typename TextOf>
constexpr EscapeRules RulesOf(TextOf textOf, char firstSpecial, char secondSpecial)
{
    EscapeRules rules{{}, firstSpecial, secondSpecial};
    for (std::size_t byte = 0; byte < 256; ++byte)
        rules.Texts[byte] = textOf(static_cast<std::uint8_t>(byte));
    return rules;
}

constexpr EscapeRules kJsonRules = RulesOf(JsonTextOf, '"', '\\');
constexpr EscapeRules kBodyRules = RulesOf(BodyTextOf, '|', '%');

// Sixteen bytes tested at once, with the vector instructions every 64-bit processor has.
using ByteVector = std::uint8_t __attribute__((vector_size(16)));
constexpr std::size_t kVectorLength = sizeof(ByteVector);

// Non-zero bytes where a byte is not copied as it is: control bytes, DEL, bytes of 0x80 and
// over (to be decoded), and the format's two specials.
template <const EscapeRules& Rules> ByteVector SpecialBytes(ByteVector bytes)
{
    return (bytes < 0x20) | (bytes >= 0x7F) |
           (bytes == static_cast<std::uint8_t>(Rules.FirstSpecial)) |
           (bytes == static_cast<std::uint8_t>(Rules.SecondSpecial));
}

// How many bytes lead the vector before its first special one (16: none is).
std::size_t PlainLead(ByteVector special)
{
    std::uint64_t halves[2];
    std::memcpy(halves, &special, sizeof halves);
    if constexpr (std::endian::native == std::endian::little) {
        if (halves[0] != 0)
            return static_cast<std::size_t>(std::countr_zero(halves[0])) / 8;
        if (halves[1] != 0)
            return 8 + static_cast<std::size_t>(std::countr_zero(halves[1])) / 8;
        return kVectorLength;
    } else {
        for (std::size_t at = 0; at < kVectorLength; ++at)
            if (special[at] != 0)
                return at;
        return kVectorLength;
    }
}

// Sixteen bytes from `from` (fewer where `end` comes first, padded with a plain letter),
// and how many of them come from the text.
std::size_t LoadVector(const char* from, const char* end, ByteVector& vector)
{
    const auto available = std::min(kVectorLength, static_cast<std::size_t>(end - from));
    if (available == kVectorLength) {
        std::memcpy(&vector, from, kVectorLength);
    } else {
        std::memset(&vector, 'a', kVectorLength);
        std::memcpy(&vector, from, available);
    }
    return available;
}

// How many bytes lead `bytes` that are copied as they are.
template <const EscapeRules& Rules> std::size_t PlainPrefixLength(std::string_view bytes)
{
    const char* from = bytes.data();
    const char* const end = from + bytes.size();
    while (from != end) {
        ByteVector vector;
        const std::size_t available = LoadVector(from, end, vector);
        const std::size_t plain = PlainLead(SpecialBytes<Rules>(vector));
        if (plain < available)
            return static_cast<std::size_t>(from - bytes.data()) + plain;
        from += available;
    }
    return bytes.size();
}

// The rules are a parameter of the template so that the test is built for each format with
// its bytes as constants.
template <const EscapeRules& Rules> void AppendEscaped(std::string& out, std::string_view bytes)
{
    // Runs of plain bytes go in one piece each; the byte after a run takes its text from
    // the table.
    while (!bytes.empty()) {
        const std::size_t plain = PlainPrefixLength<Rules>(bytes);
        out.append(bytes.data(), plain);
        if (plain == bytes.size())
            return;
        const ByteText& text = Rules.Texts[static_cast<std::uint8_t>(bytes[plain])];
        out.append(text.Text, text.Length);
        bytes.remove_prefix(plain + 1);
    }
}

} // namespace

void AppendJsonText(std::string& out, std::string_view bytes)
{
    AppendEscaped<kJsonRules>(out, bytes);
}

void AppendJsonString(std::string& out, std::string_view bytes)
{
    out += '"';
    AppendJsonText(out, bytes);
    out += '"';
}

void AppendBodyText(std::string& out, std::string_view bytes)
{
    AppendEscaped<kBodyRules>(out, bytes);
}

} // namespace varnok
