#include "grid/search/ansiupper.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace varnok {

namespace {

using CaseTable = std::array<unsigned char, 256>;

constexpr CaseTable makeUpperTable()
{
    CaseTable table{};
    for (unsigned code = 0; code < 256; ++code) {
        unsigned upper = code;
        if ((code >= 'a' && code <= 'z') || (code >= 0xE0 && code <= 0xFE && code != 0xF7))
            upper = code - 0x20;
        table[code] = static_cast<unsigned char>(upper);
    }
    // Letters whose capitals the code page keeps in 0x80-0x9F.
    table[0x9A] = 0x8A; // s with caron
    table[0x9C] = 0x8C; // oe ligature
    table[0x9E] = 0x8E; // z with caron
    table[0xFF] = 0x9F; // y with diaeresis
    return table;
}

constexpr CaseTable kUpperTable = makeUpperTable();

char upperOf(char c)
{
    return static_cast<char>(kUpperTable[static_cast<unsigned char>(c)]);
}

constexpr std::uint64_t kEveryByte = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x80 * kEveryByte;

// Eight ASCII bytes at once: adding 0x80 - 'a' sets a byte's high bit from 'a' on, adding
// 0x80 - 'z' - 1 from past 'z' on; no byte below 0x80 carries into the next. The bytes with
// the first bit only are the small letters, and their 0x20 bit goes.
std::uint64_t upperAsciiWord(std::uint64_t word)
{
    const std::uint64_t fromA = word + (0x80 - 'a') * kEveryByte;
    const std::uint64_t pastZ = word + (0x80 - 'z' - 1) * kEveryByte;
    return word ^ ((fromA & ~pastZ & kHighBits) >> 2);
}

// Cell texts are mostly ASCII, so whole words are folded where they hold no byte above
// 0x7F; the search upper-cases every cell it visits.
void upperCaseBytes(char* bytes, std::size_t size)
{
    constexpr std::size_t kWord = sizeof(std::uint64_t);
    std::size_t pos = 0;
    for (; pos + kWord <= size; pos += kWord) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + pos, kWord);
        if ((word & kHighBits) == 0) {
            word = upperAsciiWord(word);
            std::memcpy(bytes + pos, &word, kWord);
            continue;
        }
        for (std::size_t i = pos; i < pos + kWord; ++i)
            bytes[i] = upperOf(bytes[i]);
    }
    for (; pos < size; ++pos)
        bytes[pos] = upperOf(bytes[pos]);
}

} // namespace

void AnsiUpperCaseInto(std::string_view text, std::string& out)
{
    out.assign(text);
    upperCaseBytes(out.data(), out.size());
}

std::string AnsiUpperCase(std::string_view text)
{
    std::string result;
    AnsiUpperCaseInto(text, result);
    return result;
}

} // namespace varnok
